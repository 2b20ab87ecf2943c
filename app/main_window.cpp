#include "main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QWidget>

#include "fonts.h"
#include "words.h"

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

static std::filesystem::path ProgramFolder()
{
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QString::fromUtf8(i18n::kProgramTitle));

    auto* table = new TableSurface(this);
    table->setFixedSize(kTableWidth, kTableHeight);
    setCentralWidget(table);

    // The table layout is drawn for this one size.
    setFixedSize(kTableWidth, kTableHeight);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (started_) return;
    started_ = true;
    settings_ = LoadSettings(ProgramFolder()).Values;
    ApplyOptions();
}

void MainWindow::ApplyOptions()
{
    i18n::FontSettings fonts;
    for (std::size_t kind = 0; kind < fonts.size(); ++kind) {
        fonts[kind].face = QString::fromStdString(settings_.Fonts[kind].Name);
        fonts[kind].scale = settings_.Fonts[kind].Scale;
    }
    i18n::SetFontSettings(fonts);
    i18n::SetLanguage(settings_.LanguageIndex);  // installs the font stand-ins of the language too
    setWindowTitle(QString::fromUtf8(i18n::kProgramTitle));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (SaveSettings(settings_, ProgramFolder()) == SaveResult::Failed) {
        QMessageBox::critical(this, QString::fromUtf8(i18n::kProgramTitle),
                              i18n::Text(i18n::WordsMain, 96));  // "Can`t save options!"
    }
    event->accept();
}

}  // namespace varnok
