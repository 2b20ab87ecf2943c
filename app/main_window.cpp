#include "main_window.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QWidget>

namespace varnok {

namespace {

// The felt the cards are laid on; lighter under the lamp, darker at the rim.
class TableSurface : public QWidget {
public:
    explicit TableSurface(QWidget* parent = nullptr) : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        const QRectF area = rect();
        QRadialGradient felt(area.center(), 0.62 * area.width());
        felt.setColorAt(0.0, QColor(0x2e, 0x7d, 0x46));
        felt.setColorAt(0.7, QColor(0x1d, 0x5c, 0x32));
        felt.setColorAt(1.0, QColor(0x12, 0x40, 0x22));
        painter.fillRect(event->rect(), felt);
    }
};

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Varnok"));

    auto* table = new TableSurface(this);
    table->setFixedSize(kTableWidth, kTableHeight);
    setCentralWidget(table);

    // The table layout is drawn for this one size.
    setFixedSize(kTableWidth, kTableHeight);
}

}  // namespace varnok
