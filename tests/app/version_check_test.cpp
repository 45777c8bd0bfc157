#include "app/tools/version_check.h"
#include "app/tools/web_data.h"

#include "http_test_server.h"
#include "qstring_printer.h"
#include "support/message_recorder.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kVersionPage
        = "<html><body><strong>Menu</strong><div id=\"wb_cncText1\" style=\"position:absolute\">"
          "<span style=\"color:#000\"><strong>Version 1.1 &ndash; new terminal</strong></span>"
          "</div></body></html>";

struct VersionCase
{
    const char *name;
    int status;
    QByteArray body;
    QStringList infos;
};

class VersionCheckServer : public ::testing::TestWithParam<VersionCase>
{ };

TEST_P(VersionCheckServer, ShowsTheNoteOrThatTheServerWasNotFound)
{
    const VersionCase &c = GetParam();
    HttpTestServer server(
            [&c](const QByteArray &) { return HttpTestServer::Response(c.status, c.body); });
    TWebData web;
    VersionCheck check(web);
    check.SetPageUrl(server.Url("/serial.php"));
    MessageRecorder messages;

    check.CheckForNewVersion();
    ASSERT_TRUE(WaitUntil([&check] { return !check.Busy(); }));

    EXPECT_EQ(messages.Infos, c.infos);
    for (const QString &caption : messages.Captions)
        EXPECT_EQ(caption, " Version Info ");
    EXPECT_TRUE(messages.Errors.isEmpty());
}

const VersionCase kVersionCases[] = {
        {"PageWithMarkers", 200, kVersionPage, {"Version 1.1 &ndash; new terminal"}},
        {"ServerErrorPageWithMarkers", 500, kVersionPage, {"Version 1.1 &ndash; new terminal"}},
        {"NotFound", 404, kVersionPage, {"Server not found "}},
        {"NoClosingTag", 200, "<div id=\"wb_cncText1\"><strong>Version 1.1", {}},
        {"NoMarkers", 200, "<html>Version 1.1</html>", {}},
};

INSTANTIATE_TEST_SUITE_P(Pages, VersionCheckServer, ::testing::ValuesIn(kVersionCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(VersionCheck, UsesTheProjectPageAndIgnoresASecondCheckWhileBusy)
{
    HttpTestServer proxy(
            [](const QByteArray &) { return HttpTestServer::Response(200, kVersionPage); });
    TWebData web;
    web.SetProxy(QString("127.0.0.1:%1").arg(proxy.Port()));
    VersionCheck check(web);
    QList<bool> busy;
    check.OnBusyChanged = [&busy](bool b) { busy << b; };
    MessageRecorder messages;

    check.CheckForNewVersion();
    check.CheckForNewVersion();
    ASSERT_TRUE(WaitUntil([&check] { return !check.Busy(); }));

    EXPECT_EQ(busy, QList<bool>({true, false}));
    ASSERT_EQ(proxy.Requests.size(), 1);
    EXPECT_TRUE(proxy.Requests[0].startsWith("GET http://vantor.example/"));
    EXPECT_EQ(messages.Infos, QStringList({"Version 1.1 &ndash; new terminal"}));
}

TEST(VersionCheck, UnreachableServerIsReportedOnce)
{
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        closedPort = probe.serverPort();
    }
    TWebData web;
    VersionCheck check(web);
    check.SetPageUrl(QString("http://127.0.0.1:%1//serial.php").arg(closedPort));
    MessageRecorder messages;

    check.CheckForNewVersion();
    ASSERT_TRUE(WaitUntil([&check] { return !check.Busy(); }));
    EXPECT_EQ(messages.Infos, QStringList({"Server not found "}));
    EXPECT_EQ(messages.Captions, QStringList({" Version Info "}));
}

} // namespace
