#include "main_window.h"
#include "quit_on_signal.h"
#include "x11_drawing.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    varnok::PrepareX11Drawing();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnok"));
    QApplication::setOrganizationName(QStringLiteral("Varnok"));

    varnok::quitOnTerminationSignals();

    varnok::MainWindow window;
    window.show();
    return QApplication::exec();
}
