#include "fuzz_support.h"

#include "platform/user_interface.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstring>
#include <memory>

void PrepareOffscreenEnvironment()
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("QT_FONT_DPI", "96", 1);
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    if (!QCoreApplication::instance()) {
        // Under libFuzzer the application lives until the process ends and is never
        // destroyed; its arguments must outlive it, and the fuzzer's flags are not Qt's.
        PrepareOffscreenEnvironment();
        static int argc = 1;
        static char name[] = "vantor_fuzz";
        static char *argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    SetMessagePresenter([](TMessageKind, const QString &, const QString &, const QString &) {});
    return 0;
}

QString WriteFuzzFile(const char *data, std::size_t size, const char *suffix)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("input") + QLatin1String(suffix));
    // A new file each time: a file system may write a file that was cut to nothing and filled
    // again through to the disk when it is closed, which would cost more than the input.
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    if (file.write(data, static_cast<qint64>(size)) != static_cast<qint64>(size))
        std::abort();
    return path;
}
