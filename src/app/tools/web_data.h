#pragma once

#include <QString>
#include <QStringList>

#include <exception>
#include <functional>
#include <memory>
#include <vector>

class QEventLoop;
class QNetworkAccessManager;
class TWebData;

enum class TImageType { itAll, itGIF, itJPG, itPNG };

// One page to fetch and the text to cut out of it.
class TWebDataItem
{
public:
    const QString &URL() const { return m_url; }
    void SetURL(const QString &url) { m_url = url; }
    const QString &ScanFirst() const { return m_scanFirst; }
    void SetScanFirst(const QString &text) { m_scanFirst = text; }
    const QString &ScanFrom() const { return m_scanFrom; }
    void SetScanFrom(const QString &text) { m_scanFrom = text; }
    const QString &ScanTo() const { return m_scanTo; }
    void SetScanTo(const QString &text) { m_scanTo = text; }
    bool Enable() const { return m_enable; }
    void SetEnable(bool enable) { m_enable = enable; }
    // Delete the local copy once it has been used.
    bool AutoDelete() const { return m_autoDelete; }
    void SetAutoDelete(bool autoDelete) { m_autoDelete = autoDelete; }
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

    const QString &ResultText() const { return m_resultText; }
    void SetResultText(const QString &text) { m_resultText = text; }
    bool Found() const { return m_found; }
    void SetFound(bool found) { m_found = found; }
    // The file the page is saved to; empty: a new temporary file per collection.
    const QString &LocalFile() const { return m_localFile; }
    void SetLocalFile(const QString &file) { m_localFile = file; }

    QString DisplayName() const { return m_url; }

private:
    QString m_url;
    QString m_scanFirst;
    QString m_scanFrom;
    QString m_scanTo;
    bool m_enable = true;
    bool m_autoDelete = true;
    int m_tag = 0;
    QString m_resultText;
    bool m_found = false;
    QString m_localFile;
};

// The items of a TWebData; references to items stay valid until they are removed.
class TWebDataCollection
{
public:
    explicit TWebDataCollection(TWebData *owner)
        : m_owner(owner)
    { }

    TWebData *Owner() const { return m_owner; }
    TWebDataItem &Add();
    void Clear() { m_items.clear(); }
    int Count() const { return static_cast<int>(m_items.size()); }
    TWebDataItem &Items(int index) { return *m_items.at(static_cast<std::size_t>(index)); }
    const TWebDataItem &Items(int index) const
    {
        return *m_items.at(static_cast<std::size_t>(index));
    }
    TWebDataItem &operator[](int index) { return Items(index); }

private:
    TWebData *m_owner;
    std::vector<std::unique_ptr<TWebDataItem>> m_items;
};

using TCollectErrorEvent = std::function<void(TWebData *sender, int index, int errorCode)>;
using TWebDataDataEvent = std::function<void(TWebData *sender, int index, const QString &text)>;
using TWebDataProgressEvent = std::function<void(TWebData *sender, int index)>;
using TThreadCollectDoneEvent = std::function<void(TWebData *sender)>;

// Fetches the pages of its items over HTTP into local files and cuts each item's text out.
//
// Lives on the user-interface thread. The download never blocks it: StartCollect() returns at
// once and reports the end through OnCollectDone; Collect() waits for the end in a local event
// loop, so the window stays responsive meanwhile. One collection runs at a time, and the items
// must not be changed while it runs. An error code of -1 means the server could not be reached;
// other codes are HTTP status codes. Pages are saved with status below 300 or exactly 500.
class TWebData
{
public:
    TWebData();
    ~TWebData();
    TWebData(const TWebData &) = delete;
    TWebData &operator=(const TWebData &) = delete;

    const QString &Agent() const { return m_agent; }
    void SetAgent(const QString &agent) { m_agent = agent; }
    // "host:port" of an HTTP proxy; empty: the system's configured access.
    const QString &Proxy() const { return m_proxy; }
    void SetProxy(const QString &proxy) { m_proxy = proxy; }
    const QString &ProxyUserID() const { return m_proxyUserId; }
    void SetProxyUserID(const QString &user) { m_proxyUserId = user; }
    const QString &ProxyPassword() const { return m_proxyPassword; }
    void SetProxyPassword(const QString &password) { m_proxyPassword = password; }
    TWebDataCollection &Data() { return m_data; }
    const TWebDataCollection &Data() const { return m_data; }
    TImageType ImageType() const { return m_imageType; }
    void SetImageType(TImageType type) { m_imageType = type; }
    const QString &HyperLinkType() const { return m_hyperLinkType; }
    void SetHyperLinkType(const QString &type) { m_hyperLinkType = type; }
    QString Version() const { return QStringLiteral("1.2.1.0"); }
    // Where the temporary "WD" files are made; default: the system's temporary folder.
    const QString &TempFolder() const { return m_tempFolder; }
    void SetTempFolder(const QString &folder) { m_tempFolder = folder; }

    // Image and link addresses of the pages of the last collection.
    const QStringList &Images() const { return m_images; }
    const QStringList &HyperLinks() const { return m_hyperLinks; }

    // Fetches and scans every item; true when every item's text was found. Raises EInOutError
    // when a local file cannot be created or written. False at once while a collection runs.
    bool Collect();
    // Starts a collection and returns; false when there are no items or one already runs.
    // OnCollectDone follows (possibly before this returns); a file error reaches the general
    // error handler.
    bool StartCollect();
    bool Busy() const { return m_run != nullptr; }
    // Whether every item's text was found in the last finished collection.
    bool LastResult() const { return m_lastResult; }

    TCollectErrorEvent OnCollectError;
    TWebDataDataEvent OnData;
    TWebDataProgressEvent OnProgress;
    TThreadCollectDoneEvent OnCollectDone;

private:
    struct Run;

    bool Begin(bool waited);
    void Advance();
    void StartFetch(const QString &file);
    void ReceiveBody();
    void FetchFinished();
    void ItemFetched(QString file, bool success);
    void ScanPage(int index, const QString &file);
    QString NewTempFile() const;
    void ApplyProxy();
    void Fail(std::exception_ptr error);
    void Finish();

    QString m_agent = QStringLiteral("WebData");
    QString m_proxy;
    QString m_proxyUserId;
    QString m_proxyPassword;
    TWebDataCollection m_data {this};
    TImageType m_imageType = TImageType::itAll;
    QString m_hyperLinkType;
    QString m_tempFolder;
    QStringList m_images;
    QStringList m_hyperLinks;
    bool m_lastResult = false;

    std::unique_ptr<QNetworkAccessManager> m_network;
    std::unique_ptr<Run> m_run;
    QEventLoop *m_waitLoop = nullptr;
    std::exception_ptr m_waitError;
    std::shared_ptr<bool> m_alive;
};
