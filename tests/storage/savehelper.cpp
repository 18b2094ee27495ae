// Runs one save in a process of its own, so that a test can give it conditions it cannot set on
// itself: a file size limit that turns a write into a real short write, and (for a test run as
// root) the loss of the privilege to ignore file permissions.
//
//   storage_savehelper [--file-size-limit BYTES] [--no-dac-override] crea
//                      PROGRAMDIR TEMPDIR SRCPATH NOME TITLE [NAME...]
//   storage_savehelper [options] salva-settings PROGRAMDIR TEMPDIR DELETE(0|1)
//
// Exit status 0 when the save succeeded, 1 when it failed, 2 on a usage or set-up error.
// Reported errors go to stderr.
#include "storage/cbinary.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

bool dropDacOverride() {
    if (::geteuid() != 0)
        return true;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return false;
    const unsigned mask = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
    data[0].effective &= ~mask;
    data[0].permitted &= ~mask;
    data[0].inheritable &= ~mask;
    return ::syscall(SYS_capset, &header, data) == 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        const QString option = args.takeFirst();
        if (option == QStringLiteral("--file-size-limit") && !args.isEmpty()) {
            const rlim_t limit = args.takeFirst().toULongLong();
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit rl{limit, limit};
            if (::setrlimit(RLIMIT_FSIZE, &rl) != 0) {
                std::perror("setrlimit");
                return 2;
            }
        } else if (option == QStringLiteral("--no-dac-override")) {
            if (!dropDacOverride()) {
                std::perror("capset");
                return 2;
            }
        } else {
            std::fprintf(stderr, "unknown option\n");
            return 2;
        }
    }
    if (args.size() < 4)
        return 2;
    const QString mode = args.takeFirst();
    Locations locations;
    locations.programDir = args[0];
    locations.tempDir = args[1];
    cBinary binary(locations);
    if (mode == QStringLiteral("salva-settings"))
        return binary.SalvaSettings(args[2] == QStringLiteral("1")) ? 0 : 1;
    if (mode != QStringLiteral("crea") || args.size() < 5)
        return 2;
    return binary.CreaSkn(args[2], args.mid(5), args[3], args[4]) ? 0 : 1;
}
