#include "app/tools/web_page_text.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

// Drops the text up to and including marker; false when a marker is given and absent.
bool SkipPast(QStringView &text, const QString &marker)
{
    if (marker.isEmpty())
        return true;
    const qsizetype at = text.indexOf(marker);
    if (at < 0)
        return false;
    text = text.mid(at + marker.size());
    return true;
}

// The values of attribute `attribute` in the page's `tag` tags, quoted or bare.
QStringList TagAttributes(const QString &page, const QString &tag, const QString &attribute)
{
    const QRegularExpression pattern(
            QStringLiteral(R"re(<%1\b[^>]*?\b%2\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re")
                    .arg(tag, attribute),
            QRegularExpression::CaseInsensitiveOption);
    QStringList values;
    for (auto it = pattern.globalMatch(page); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        for (int group = 1; group <= 3; ++group) {
            if (match.capturedStart(group) >= 0) {
                values << match.captured(group);
                break;
            }
        }
    }
    return values;
}

} // namespace

bool ScanBetweenMarkers(const QString &page, const QString &first, const QString &from,
                        const QString &to, QString &result)
{
    QStringView rest(page);
    if (!SkipPast(rest, first) || !SkipPast(rest, from) || to.isEmpty())
        return false;
    const qsizetype end = rest.indexOf(to);
    if (end < 0)
        return false;
    result = rest.left(end).toString();
    return true;
}

QString UrlWithCredentials(const QString &url, const QString &user, const QString &password)
{
    static const QString scheme = QStringLiteral("http://");
    if (user.isEmpty() || !url.startsWith(scheme, Qt::CaseInsensitive))
        return url;
    return scheme + user + QLatin1Char(':') + password + QLatin1Char('@') + url.mid(scheme.size());
}

QStringList PageImages(const QString &page, const QString &extension)
{
    QStringList images;
    for (const QString &source : TagAttributes(page, QStringLiteral("img"), QStringLiteral("src")))
        if (extension.isEmpty() || source.toUpper().contains(extension))
            images << source;
    return images;
}

QStringList PageHyperLinks(const QString &page, const QString &pageUrl, const QString &filter)
{
    const QUrl base(pageUrl);
    QStringList links;
    for (const QString &href : TagAttributes(page, QStringLiteral("a"), QStringLiteral("href"))) {
        const QString link = base.resolved(QUrl(href)).toString();
        if (filter.isEmpty() || link.contains(filter, Qt::CaseInsensitive))
            links << link;
    }
    return links;
}
