#pragma once

#include <functional>
#include <QApplication>

// The application object. A failure that escapes an event handler is caught here, as the
// last resort, and handed to the top-level error report.
class Application : public QApplication {
  public:
    using ErrorReport = std::function<void(int number, const QString& description)>;
    Application(int& argc, char** argv);
    void setErrorReport(ErrorReport report) { report_ = std::move(report); }
    bool notify(QObject* receiver, QEvent* event) override;

  private:
    ErrorReport report_;
};
