#include "instruments/trend.h"
#include "instruments/trend_file.h"

int TAbTrend::SaveToFile(const QString &fileName)
{
    return WriteTrendFile(fileName, m_records);
}

int TAbTrend::LoadFromFile(const QString &fileName)
{
    return LoadRecords(fileName, false);
}

// Appends the file's records behind those held; recording stays stopped afterwards. The file
// is read whole before anything changes: a load that fails, or reads nothing into a list it
// appends to, leaves the records and the picture as they were (no separator either).
int TAbTrend::LoadRecords(const QString &fileName, bool clearFirst)
{
    SetStartRecording(false);
    TTrendRecords loaded;
    if (const int code = ReadTrendFile(fileName, loaded); code != 0)
        return code;
    if (loaded.Empty() && !clearFirst)
        return 0;

    if (clearFirst) {
        m_nextX = 0;
        m_viewStart = 0;
        m_records.Clear();
    }
    if (m_records.Count() >= 2)
        InsertSeparator(m_records.Count() - 1);
    m_records.Append(loaded);

    UpdateRecordInfo();
    if (!Shown())
        return 0;
    const int last = m_records.Count() - 1;
    if (m_options.Contains(TTrendOption::opShowLast))
        RedrawRange(last - m_visibleRecords, last);
    else
        RedrawRange(0, last);
    return 0;
}
