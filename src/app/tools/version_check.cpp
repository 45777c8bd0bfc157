#include "app/tools/version_check.h"

#include "app/tools/web_data.h"
#include "platform/user_interface.h"

#include <QCoreApplication>

namespace {

QString Caption()
{
    return QCoreApplication::translate("VersionCheck", " Version Info ");
}

} // namespace

VersionCheck::VersionCheck(TWebData &webData)
    : m_webData(webData)
{
    m_webData.OnCollectError = [this](TWebData *sender, int index, int errorCode) {
        CollectError(sender, index, errorCode);
    };
    m_webData.OnCollectDone = [this](TWebData *sender) { CollectDone(sender); };
}

VersionCheck::~VersionCheck()
{
    m_webData.OnCollectError = nullptr;
    m_webData.OnCollectDone = nullptr;
}

void VersionCheck::CheckForNewVersion()
{
    // A second check would clear the item the running one is working on.
    if (m_busy || m_webData.Busy())
        return;
    m_webData.Data().Clear();
    TWebDataItem &item = m_webData.Data().Add();
    item.SetScanFirst(QStringLiteral("<div id=\"wb_cncText1"));
    item.SetScanFrom(QStringLiteral("strong>"));
    item.SetScanTo(QStringLiteral("</"));
    item.SetURL(m_pageUrl);

    SetBusy(true);
    if (!m_webData.StartCollect())
        SetBusy(false);
}

void VersionCheck::CollectError(TWebData *, int, int)
{
    ShowInformation(QCoreApplication::translate("VersionCheck", "Server not found "), Caption());
}

void VersionCheck::CollectDone(TWebData *)
{
    const QString text
            = m_webData.Data().Count() > 0 ? m_webData.Data().Items(0).ResultText() : QString();
    SetBusy(false);
    if (!text.isEmpty())
        ShowInformation(text, Caption());
}

void VersionCheck::SetBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (OnBusyChanged)
        OnBusyChanged(busy);
}
