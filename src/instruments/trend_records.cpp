#include "instruments/trend_records.h"

void TTrendRecords::Insert(int index, int count, const TTrendRecord &record)
{
    m_records.insert(m_records.begin() + index, static_cast<std::size_t>(count), record);
}

void TTrendRecords::RemoveFirst(int n)
{
    m_records.erase(m_records.begin(), m_records.begin() + n);
}

void TTrendRecords::Clear()
{
    m_records.clear();
    m_records.shrink_to_fit();
}
