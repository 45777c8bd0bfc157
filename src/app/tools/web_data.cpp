#include "app/tools/web_data.h"

#include "app/tools/web_page_text.h"
#include "platform/exception.h"
#include "platform/user_interface.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryFile>
#include <QUrl>

#include <cerrno>

namespace {

constexpr qint64 kBlockSize = 4096;

// The system's configured access for this collector only, not for the whole application.
class SystemProxyFactory : public QNetworkProxyFactory
{
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery &query) override
    {
        return systemProxyForQuery(query);
    }
};

int HttpStatus(const QNetworkReply *reply)
{
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return status.isValid() ? status.toInt() : 0;
}

// Error pages of status 500 often still carry the content, so they are kept as well.
bool IsSavedStatus(int status)
{
    return (status > 0 && status < 300) || status == 500;
}

[[noreturn]] void ThrowFileError()
{
    const int err = errno;
    throw EInOutError(err != 0 ? InOutCodeFromErrno(err) : 5);
}

QString ImageExtension(TImageType type)
{
    switch (type) {
    case TImageType::itGIF:
        return QStringLiteral(".GIF");
    case TImageType::itJPG:
        return QStringLiteral(".JPG");
    case TImageType::itPNG:
        return QStringLiteral(".PNG");
    case TImageType::itAll:
        break;
    }
    return {};
}

} // namespace

TWebDataItem &TWebDataCollection::Add()
{
    m_items.push_back(std::make_unique<TWebDataItem>());
    return *m_items.back();
}

// The state of one collection. lastUrl is empty after a failed fetch, so the next item with the
// same address fetches again.
struct TWebData::Run
{
    bool waited = false;
    int index = 0;
    QString lastUrl;
    QString lastFile;
    QString currentFile; // the file of the fetch in progress
    QNetworkReply *reply = nullptr;
    QFile file;
    qint64 bytes = 0;
    int status = 0; // 0 until the response headers arrived
    std::exception_ptr error;
};

TWebData::TWebData()
    : m_tempFolder(QDir::tempPath())
    , m_alive(std::make_shared<bool>(true))
{ }

TWebData::~TWebData()
{
    *m_alive = false;
    OnCollectError = nullptr;
    OnData = nullptr;
    OnProgress = nullptr;
    OnCollectDone = nullptr;
    if (m_run) {
        m_run->waited = true; // nobody to report to any more
        Finish();
    }
}

bool TWebData::Collect()
{
    if (m_run)
        return false;
    m_waitError = nullptr;
    if (!Begin(true))
        return false;
    if (m_run) {
        QEventLoop loop;
        m_waitLoop = &loop;
        const std::shared_ptr<bool> alive = m_alive;
        loop.exec();
        if (!*alive)
            return false;
        m_waitLoop = nullptr;
        if (m_run) // the application is quitting and ended every event loop
            Finish();
    }
    if (m_waitError)
        std::rethrow_exception(std::exchange(m_waitError, nullptr));
    return m_lastResult;
}

bool TWebData::StartCollect()
{
    return Begin(false);
}

bool TWebData::Begin(bool waited)
{
    if (m_run)
        return false;
    for (int i = 0; i < m_data.Count(); ++i)
        m_data.Items(i).SetFound(false);
    m_lastResult = false;
    if (m_data.Count() == 0)
        return false;
    m_images.clear();
    m_hyperLinks.clear();
    if (!m_network)
        m_network = std::make_unique<QNetworkAccessManager>();
    ApplyProxy();

    m_run = std::make_unique<Run>();
    m_run->waited = waited;
    try {
        Advance();
    } catch (...) {
        Fail(std::current_exception());
    }
    return true;
}

void TWebData::ApplyProxy()
{
    if (m_proxy.isEmpty()) {
        m_network->setProxyFactory(new SystemProxyFactory);
        return;
    }
    const QUrl address = m_proxy.contains(QLatin1String("://"))
            ? QUrl(m_proxy)
            : QUrl(QStringLiteral("http://") + m_proxy);
    m_network->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, address.host(), address.port(80),
                                      m_proxyUserId, m_proxyPassword));
}

// Works through the items until one needs a download or all are done.
void TWebData::Advance()
{
    while (m_run && m_run->index < m_data.Count()) {
        Run &run = *m_run;
        const int i = run.index;
        TWebDataItem &item = m_data.Items(i);
        item.SetFound(false);
        if (!item.Enable()) {
            ++run.index;
            continue;
        }
        if (item.URL() != run.lastUrl) {
            if (!run.lastFile.isEmpty() && i > 0 && m_data.Items(i - 1).AutoDelete())
                QFile::remove(run.lastFile);
            StartFetch(item.LocalFile().isEmpty() ? NewTempFile() : item.LocalFile());
            return;
        }
        ItemFetched(run.lastFile, true);
        if (m_run)
            ++m_run->index;
    }
    if (m_run)
        Finish();
}

void TWebData::StartFetch(const QString &file)
{
    Run &run = *m_run;
    run.currentFile = file;
    run.bytes = 0;
    run.status = 0;

    const TWebDataItem &item = m_data.Items(run.index);
    QNetworkRequest request(QUrl(UrlWithCredentials(item.URL(), m_proxyUserId, m_proxyPassword)));
    request.setHeader(QNetworkRequest::UserAgentHeader, m_agent);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    QNetworkReply *reply = m_network->get(request);
    run.reply = reply;

    const auto guarded = [this, reply](void (TWebData::*step)()) {
        if (!m_run || m_run->reply != reply)
            return;
        try {
            (this->*step)();
        } catch (...) {
            Fail(std::current_exception());
        }
    };
    QObject::connect(reply, &QNetworkReply::readyRead, reply,
                     [guarded] { guarded(&TWebData::ReceiveBody); });
    QObject::connect(reply, &QNetworkReply::finished, reply,
                     [guarded] { guarded(&TWebData::FetchFinished); });
}

void TWebData::ReceiveBody()
{
    Run &run = *m_run;
    if (run.status == 0)
        run.status = HttpStatus(run.reply);
    if (!IsSavedStatus(run.status)) {
        run.reply->readAll();
        return;
    }
    if (!run.file.isOpen()) {
        run.file.setFileName(run.currentFile);
        if (!run.file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            ThrowFileError();
    }
    while (run.reply->bytesAvailable() > 0) {
        const QByteArray block = run.reply->read(kBlockSize);
        if (block.isEmpty())
            break;
        if (run.file.write(block) != block.size())
            ThrowFileError();
        run.bytes += block.size();
    }
}

void TWebData::FetchFinished()
{
    Run &run = *m_run;
    ReceiveBody();
    run.reply->deleteLater();
    run.reply = nullptr;

    bool success = false;
    if (IsSavedStatus(run.status)) {
        run.file.close();
        success = run.bytes > 0;
    } else {
        const int code = run.status == 0 ? -1 : run.status;
        if (OnCollectError)
            OnCollectError(this, run.index, code);
    }
    if (!m_run)
        return;
    ItemFetched(m_run->currentFile, success);
    if (!m_run)
        return;
    ++m_run->index;
    Advance();
}

void TWebData::ItemFetched(QString file, bool success)
{
    Run &run = *m_run;
    TWebDataItem &item = m_data.Items(run.index);
    item.SetLocalFile(file);
    run.lastFile = file;
    run.currentFile.clear();
    run.lastUrl = success ? item.URL() : QString();
    if (success && QFileInfo::exists(file))
        ScanPage(run.index, file);
}

void TWebData::ScanPage(int index, const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        ThrowFileError();
    const QString page = QString::fromUtf8(in.readAll());
    in.close();

    m_data.Items(index).SetResultText(QString());
    if (OnProgress)
        OnProgress(this, index);
    if (index >= m_data.Count())
        return;
    TWebDataItem &item = m_data.Items(index);
    QString text;
    const bool found
            = ScanBetweenMarkers(page, item.ScanFirst(), item.ScanFrom(), item.ScanTo(), text);
    const QString pageUrl = item.URL();
    if (found) {
        item.SetResultText(text);
        item.SetFound(true);
        if (OnData)
            OnData(this, index, text);
    }
    m_images += PageImages(page, ImageExtension(m_imageType));
    m_hyperLinks += PageHyperLinks(page, pageUrl, m_hyperLinkType);
}

QString TWebData::NewTempFile() const
{
    QTemporaryFile file(QDir(m_tempFolder).filePath(QStringLiteral("WDXXXXXX.tmp")));
    file.setAutoRemove(false);
    errno = 0;
    if (!file.open())
        ThrowFileError();
    return file.fileName();
}

void TWebData::Fail(std::exception_ptr error)
{
    if (!m_run)
        std::rethrow_exception(error);
    m_run->error = error;
    Finish();
}

void TWebData::Finish()
{
    const std::unique_ptr<Run> run = std::move(m_run);
    if (run->reply) {
        QObject::disconnect(run->reply, nullptr, nullptr, nullptr);
        run->reply->abort();
        run->reply->deleteLater();
    }
    run->file.close();
    const int count = m_data.Count();
    // A fetch that did not end normally leaves its file behind.
    if (!run->currentFile.isEmpty() && run->index < count && m_data.Items(run->index).AutoDelete())
        QFile::remove(run->currentFile);
    if (!run->lastFile.isEmpty() && count > 0 && m_data.Items(count - 1).AutoDelete()
        && QFileInfo::exists(run->lastFile))
        QFile::remove(run->lastFile);

    bool allFound = count > 0 && !run->error;
    for (int i = 0; i < count; ++i)
        allFound = allFound && m_data.Items(i).Found();
    m_lastResult = allFound;

    if (run->waited) {
        m_waitError = run->error;
        if (m_waitLoop)
            m_waitLoop->quit();
        return;
    }
    if (run->error)
        RunGuarded([&run] { std::rethrow_exception(run->error); });
    if (OnCollectDone)
        OnCollectDone(this);
}
