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

// Appends the file's records behind those held; recording stays stopped afterwards.
int TAbTrend::LoadRecords(const QString &fileName, bool clearFirst)
{
    SetStartRecording(false);
    if (clearFirst) {
        m_nextX = 0;
        m_viewStart = 0;
        m_records.Clear();
    }
    if (m_records.Count() >= 2)
        InsertSeparator(m_records.Count() - 1);

    const auto show = [this] {
        UpdateRecordInfo();
        if (!Shown())
            return;
        const int last = m_records.Count() - 1;
        if (m_options.Contains(TTrendOption::opShowLast))
            RedrawRange(last - m_visibleRecords, last);
        else
            RedrawRange(0, last);
    };
    int code = 0;
    try {
        code = ReadTrendFile(fileName, m_records);
    } catch (...) {
        show(); // the records read before the failure are kept and shown
        throw;
    }
    show();
    return code;
}
