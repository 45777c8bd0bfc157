#pragma once

#include <QString>

#include <functional>

class TWebData;

// The page on the project's server whose first strong text after the version block is the
// note about the newest version.
inline constexpr char kVersionPageUrl[] = "http://vantor.example//serial.php";

// "Check for new Version": fetches the version page with the main window's web data collector
// and shows the note found on it, or "Server not found " when the page could not be fetched.
//
// Use: construct with the collector (not owned; it must outlive this object), connect
// OnBusyChanged to the menu item's enabled state, and call CheckForNewVersion() from the menu.
// The download runs in the background; a check requested while one runs is ignored. Takes
// over the collector's OnCollectError and OnCollectDone.
class VersionCheck
{
public:
    explicit VersionCheck(TWebData &webData);
    ~VersionCheck();
    VersionCheck(const VersionCheck &) = delete;
    VersionCheck &operator=(const VersionCheck &) = delete;

    void CheckForNewVersion();
    bool Busy() const { return m_busy; }

    const QString &PageUrl() const { return m_pageUrl; }
    void SetPageUrl(const QString &url) { m_pageUrl = url; }

    // Called with true when a check starts and with false when it has ended.
    std::function<void(bool busy)> OnBusyChanged;

private:
    void CollectError(TWebData *sender, int index, int errorCode);
    void CollectDone(TWebData *sender);
    void SetBusy(bool busy);

    TWebData &m_webData;
    QString m_pageUrl = QLatin1String(kVersionPageUrl);
    bool m_busy = false;
};
