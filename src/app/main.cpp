#include "app/application.h"
#include "app/frmmain.h"
#include "dialogkit/messagebox.h"
#include "storage/leftovers.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpApplication(app);

    const Locations locations = Locations::forApplication();
    WorkFolderLock lock(locations);
    if (!lock.acquire()) {
        MessageBoxErrorReporter reporter(nullptr);
        ScopedErrorReporter scope(&reporter);
        reportMessage(QStringLiteral("Tessellary è già aperto. Un secondo editor userebbe la "
                                     "stessa cartella di lavoro del primo: chiudi l'altro prima.\n"
                                     "(File di blocco: %1)")
                          .arg(QDir::toNativeSeparators(lock.path())));
        return 1;
    }
    // What killed saves and commands left behind: half-written packages beside the skins,
    // private copies of skins in the temporary folder.
    for (const QString& folder : {locations.skinsDir(), locations.tempDir, locations.programDir})
        leftovers::removeDead(folder);

    frmMain window(locations);
    MessageBoxErrorReporter reporter(&window);
    ScopedErrorReporter scope(&reporter);
    window.show();
    return app.exec();
}
