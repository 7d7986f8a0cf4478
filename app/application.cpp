#include "app/application.h"

#include "data/databaseerror.h"

#include <cstdlib>
#include <exception>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const DatabaseError& error) {
        if (report_)
            report_(error.number, error.description);
    } catch (const std::exception& error) {
        if (report_)
            report_(0, QString::fromLocal8Bit(error.what()));
    }
    std::_Exit(1);
}
