#include "app/tools/web_data.h"
#include "app/tools/web_page_text.h"

#include "http_test_server.h"
#include "platform/exception.h"
#include "qstring_printer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray kPage = "<html><body><p><strong>Intro</strong></p>\r\n"
                         "<div id=\"wb_cncText1\" class=\"t\"><span><strong>Version 1.1 &amp; "
                         "more</strong></span></div></body></html>";

struct ScanCase
{
    const char *name;
    const char *page;
    const char *first, *from, *to;
    bool found;
    const char *result;
};

TEST(ScanBetweenMarkers, CutsTheTextAfterTheMarkers)
{
    const ScanCase cases[] = {
            {"all markers", "a<b>x<i>one</i><i>two</i>", "<b>", "<i>", "</", true, "one"},
            {"first occurrence only", "<i>A</i><b><i>B</i>", "<b>", "<i>", "</", true, "B"},
            {"entities unchanged", "#<s>1 &lt; 2&nbsp;</s>", "#", "<s>", "</", true,
             "1 &lt; 2&nbsp;"},
            {"case-sensitive", "<B><i>x</i>", "<b>", "<i>", "</", false, ""},
            {"no closing marker", "<b><i>open", "<b>", "<i>", "</", false, ""},
            {"first marker missing", "<i>x</i>", "<b>", "<i>", "</", false, ""},
            {"second marker missing", "<b>x</i>", "<b>", "<i>", "</", false, ""},
            {"second marker only before the first", "<i><b>x</i>", "<b>", "<i>", "</", false, ""},
            {"empty first and second markers", "x</i>", "", "", "</", true, "x"},
            {"empty closing marker", "<b><i>x</i>", "<b>", "<i>", "", false, ""},
            {"empty text between", "<b><i></i>", "<b>", "<i>", "</", true, ""},
    };
    for (const ScanCase &c : cases) {
        SCOPED_TRACE(c.name);
        QString result = QStringLiteral("unchanged");
        EXPECT_EQ(ScanBetweenMarkers(c.page, c.first, c.from, c.to, result), c.found);
        if (c.found) {
            EXPECT_EQ(result.toStdString(), c.result);
        }
    }
}

TEST(UrlWithCredentials, InsertsUserAndPasswordIntoHttpAddresses)
{
    struct Case
    {
        const char *url, *user, *password, *expected;
    } const cases[] = {
            {"http://host/a", "u", "p", "http://u:p@host/a"},
            {"HTTP://Host//serial.php", "u", "", "http://u:@Host//serial.php"},
            {"https://host/a", "u", "p", "https://host/a"},
            {"http://host/a", "", "p", "http://host/a"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(UrlWithCredentials(c.url, c.user, c.password).toStdString(), c.expected) << c.url;
}

TEST(PageLinks, ImagesByTypeAndLinksCompletedFromThePage)
{
    const QString page = R"(<IMG src="a.gif"><img alt=x SRC='b.PNG'><a href="/doc/x.pdf">)"
                         R"(<A HREF=https://other.example/y.html>)";
    EXPECT_EQ(PageImages(page, QString()), QStringList({"a.gif", "b.PNG"}));
    EXPECT_EQ(PageImages(page, ".PNG"), QStringList({"b.PNG"}));
    EXPECT_EQ(PageHyperLinks(page, "http://h.example/dir/page.html", ".pdf"),
              QStringList({"http://h.example/doc/x.pdf"}));
}

// A collector with one item for the page and its files in a temporary folder.
class WebDataFetch : public ::testing::Test
{
protected:
    WebDataFetch()
    {
        web.SetTempFolder(files.path());
        web.OnCollectError = [this](TWebData *, int index, int code) {
            errors << QString("%1:%2").arg(index).arg(code);
        };
        web.OnData = [this](TWebData *, int index, const QString &text) {
            events << QString("data %1 %2").arg(index).arg(text);
        };
        web.OnProgress
                = [this](TWebData *, int index) { events << QString("progress %1").arg(index); };
    }

    TWebDataItem &AddItem(const QString &url)
    {
        TWebDataItem &item = web.Data().Add();
        item.SetURL(url);
        item.SetScanFirst("<div id=\"wb_cncText1");
        item.SetScanFrom("strong>");
        item.SetScanTo("</");
        return item;
    }

    QStringList FilesLeft() const { return QDir(files.path()).entryList(QDir::Files); }

    QTemporaryDir files;
    TWebData web;
    QStringList errors;
    QStringList events;
};

TEST_F(WebDataFetch, StatusDecidesWhetherThePageIsUsed)
{
    struct Case
    {
        int status;
        QByteArray body;
        bool found;
        QStringList errors;
    } const cases[] = {
            {200, kPage, true, {}},
            {500, kPage, true, {}},
            {204, "", false, {}},
            {404, kPage, false, {"0:404"}},
            {302, kPage, false, {"0:302"}},
            {200, "<div id=\"wb_cncText1\"><strong>open", false, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.status);
        HttpTestServer server(
                [&c](const QByteArray &) { return HttpTestServer::Response(c.status, c.body); });
        web.Data().Clear();
        AddItem(server.Url("/serial.php"));
        errors.clear();

        EXPECT_EQ(web.Collect(), c.found);
        EXPECT_EQ(web.Data()[0].Found(), c.found);
        EXPECT_EQ(errors, c.errors);
        if (c.found) {
            EXPECT_EQ(web.Data()[0].ResultText().toStdString(), "Version 1.1 &amp; more");
        }
        EXPECT_TRUE(web.Data()[0].LocalFile().contains("/WD"));
        EXPECT_EQ(FilesLeft(), QStringList());
    }
}

TEST_F(WebDataFetch, SendsTheAgentAndAsksTheServerNotACache)
{
    HttpTestServer server([](const QByteArray &) { return HttpTestServer::Response(200, kPage); });
    web.SetAgent("Probe/2");
    AddItem(server.Url("/v"));
    ASSERT_TRUE(web.Collect());
    ASSERT_EQ(server.Requests.size(), 1);
    EXPECT_TRUE(server.Requests[0].startsWith("GET /v HTTP/1.1\r\n"));
    EXPECT_TRUE(server.Requests[0].contains("\r\nUser-Agent: Probe/2\r\n"));
    EXPECT_TRUE(server.Requests[0].contains("no-cache"));
}

TEST_F(WebDataFetch, UnreachableServerReportsMinusOne)
{
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        closedPort = probe.serverPort();
    }
    AddItem(QString("http://127.0.0.1:%1/x").arg(closedPort));
    EXPECT_FALSE(web.Collect());
    EXPECT_EQ(errors, QStringList({"0:-1"}));
    EXPECT_EQ(FilesLeft(), QStringList());
}

TEST_F(WebDataFetch, ItemsOfTheSameAddressShareOneDownload)
{
    HttpTestServer server([](const QByteArray &) { return HttpTestServer::Response(200, kPage); });
    AddItem(server.Url("/a"));
    TWebDataItem &second = AddItem(server.Url("/a"));
    second.SetScanFirst("<p>");
    web.Data().Add().SetEnable(false);

    EXPECT_FALSE(web.Collect()); // the disabled third item finds nothing
    EXPECT_EQ(server.Requests.size(), 1);
    EXPECT_EQ(events,
              QStringList({"progress 0", "data 0 Version 1.1 &amp; more", "progress 1",
                           "data 1 Intro"}));
    EXPECT_EQ(web.Data()[1].LocalFile(), web.Data()[0].LocalFile());
    EXPECT_EQ(FilesLeft(), QStringList());
}

TEST_F(WebDataFetch, AChosenLocalFileIsKeptWithoutAutoDelete)
{
    HttpTestServer server([](const QByteArray &) { return HttpTestServer::Response(200, kPage); });
    TWebDataItem &item = AddItem(server.Url("/a"));
    item.SetLocalFile(files.filePath("page.html"));
    item.SetAutoDelete(false);

    EXPECT_TRUE(web.Collect());
    QFile saved(files.filePath("page.html"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), kPage);
}

TEST_F(WebDataFetch, AFileThatCannotBeCreatedEndsTheCollectionWithAnIoError)
{
    HttpTestServer server([](const QByteArray &) { return HttpTestServer::Response(200, kPage); });
    QFile blocker(files.filePath("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    web.SetTempFolder(blocker.fileName());
    AddItem(server.Url("/a"));

    EXPECT_THROW(web.Collect(), EInOutError);
    EXPECT_FALSE(web.Busy());
    EXPECT_TRUE(server.Requests.isEmpty());
}

TEST_F(WebDataFetch, OneCollectionAtATime)
{
    HttpTestServer server([](const QByteArray &) { return HttpTestServer::Response(200, kPage); });
    AddItem(server.Url("/a"));
    bool done = false;
    web.OnCollectDone = [&done](TWebData *) { done = true; };

    ASSERT_TRUE(web.StartCollect());
    EXPECT_TRUE(web.Busy());
    EXPECT_FALSE(web.StartCollect());
    EXPECT_FALSE(web.Collect());
    ASSERT_TRUE(WaitUntil([&done] { return done; }));
    EXPECT_FALSE(web.Busy());
    EXPECT_TRUE(web.LastResult());
    EXPECT_EQ(server.Requests.size(), 1);
}

TEST_F(WebDataFetch, ProxyGetsTheAddressAndTheCredentials)
{
    // The proxy asks for credentials first, then serves the page.
    HttpTestServer proxy([](const QByteArray &request) {
        if (!request.contains("Proxy-Authorization: Basic " + QByteArray("user:secret").toBase64()))
            return HttpTestServer::Response(407, "",
                                            "Proxy-Authenticate: Basic realm=\"proxy\"\r\n");
        return HttpTestServer::Response(200, kPage);
    });
    web.SetProxy(QString("127.0.0.1:%1").arg(proxy.Port()));
    web.SetProxyUserID("user");
    web.SetProxyPassword("secret");
    AddItem("http://vantor.example//serial.php");

    EXPECT_TRUE(web.Collect());
    ASSERT_FALSE(proxy.Requests.isEmpty());
    // The network layer folds the doubled slash of the path; servers treat both alike.
    EXPECT_TRUE(proxy.Requests.last().startsWith("GET http://vantor.example/serial.php "))
            << proxy.Requests.last().toStdString();
}

} // namespace
