#include "main_window.h"
#include "quit_on_signal.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnok"));
    QApplication::setOrganizationName(QStringLiteral("Varnok"));

    varnok::quitOnTerminationSignals();

    varnok::MainWindow window;
    window.show();
    return QApplication::exec();
}
