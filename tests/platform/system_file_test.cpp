#include "platform/exception.h"
#include "platform/system_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>
#include <string>

namespace {

int CodeOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EInOutError &e) {
        return e.ErrorCode();
    }
    return 0;
}

TEST(SystemFile, WritesAndReadsBack)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("data.bin"));
    {
        TSystemFile file(name, TSystemFile::Mode::Create);
        file.Write("abc");
        file.Write(std::string(10000, 'x'));
        file.Close();
    }
    TSystemFile file(name, TSystemFile::Mode::Read);
    EXPECT_EQ(file.Size(), 10003);
    EXPECT_FALSE(file.IsDirectory());
    char head[3] = {};
    file.ReadExactly(head, 3);
    EXPECT_EQ(std::string(head, 3), "abc");
    std::string rest(20000, '\0');
    EXPECT_EQ(file.Read(rest.data(), rest.size()), 10000u); // stops where the file ends
}

TEST(SystemFile, FailuresCarryTheRuntimeCode)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.bin"));
    const QString noDir = dir.filePath(QStringLiteral("no/such/dir/x.bin"));
    EXPECT_EQ(CodeOf([&] { TSystemFile file(missing, TSystemFile::Mode::Read); }), 2);
    EXPECT_EQ(CodeOf([&] { TSystemFile file(noDir, TSystemFile::Mode::Create); }), 2);
    TSystemFile quiet;
    EXPECT_EQ(quiet.Open(missing, TSystemFile::Mode::Read), 2); // reported, not raised

    TSystemFile written(dir.filePath(QStringLiteral("short.bin")), TSystemFile::Mode::Create);
    written.Write("12");
    written.Close();
    TSystemFile in(dir.filePath(QStringLiteral("short.bin")), TSystemFile::Mode::Read);
    char buffer[4];
    EXPECT_EQ(CodeOf([&] { in.ReadExactly(buffer, 4); }), 100); // ends early

    TSystemFile folder(dir.path(), TSystemFile::Mode::Read);
    EXPECT_TRUE(folder.IsDirectory());
    EXPECT_EQ(CodeOf([&] { folder.Read(buffer, 4); }), 5); // a directory cannot be read
}

} // namespace
