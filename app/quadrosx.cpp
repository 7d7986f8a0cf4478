#include "app/quadrosx.h"

#include "app/names.h"
#include "data/databaseerror.h"
#include "ui_quadrosx.h"

#include <exception>
#include <QCloseEvent>

QUADROSX::QUADROSX(MOD770BAS& mod, Services services, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::QUADROSX>()), mod_(mod),
      services_(std::move(services)) {
    ui->setupUi(this);
    gatherControls();
    wireApp();
    wireSelection();
    wireAmounts();
    wireRegionList();
    wireRows();
    wireTotals();
    wireStoring();
    wireReport();
}

QUADROSX::~QUADROSX() = default;

void QUADROSX::guarded(const std::function<void()>& handler) {
    if (ended_)
        return;
    try {
        handler();
    } catch (const DatabaseError& error) {
        reportError(error.number, error.description);
    } catch (const std::exception& error) {
        reportError(0, QString::fromLocal8Bit(error.what()));
    }
}

void QUADROSX::reportError(int number, const QString& description) {
    if (ended_)
        return;
    services_.boxes.show(QStringLiteral("Errore n. %1").arg(number) + CR() + CR() + description,
                         MessageBoxes::OkOnly + MessageBoxes::Critical, windowTitle());
    endProcess(1);
}

void QUADROSX::endProcess(int exitCode) {
    ended_ = true;
    services_.platform.endProcess(exitCode);
}

int QUADROSX::ask(const QString& text, int style, const QString& title) {
    return services_.boxes.show(text, style, title);
}

void QUADROSX::closeEvent(QCloseEvent* event) {
    // Any closing of the window ends the run, without asking about pending changes.
    event->accept();
    if (!unloading_)
        guarded([this] { Form_Unload(); });
}
