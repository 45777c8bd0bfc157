#pragma once

#include "instruments/trend_record.h"

#include <vector>

// The trend's records, oldest first, indexed from 0. Owns its records; no fixed capacity.
class TTrendRecords
{
public:
    int Count() const { return static_cast<int>(m_records.size()); }
    bool Empty() const { return m_records.empty(); }
    const TTrendRecord &operator[](int index) const { return m_records[index]; }
    const TTrendRecord &Last() const { return m_records.back(); }
    const TTrendRecord *Data() const { return m_records.data(); }

    void Append(const TTrendRecord &record) { m_records.push_back(record); }
    void Append(const TTrendRecords &records)
    {
        m_records.insert(m_records.end(), records.m_records.begin(), records.m_records.end());
    }
    void Reserve(int count) { m_records.reserve(count); }
    // Inserts count copies of record in front of the record at index (0 <= index <= Count()).
    void Insert(int index, int count, const TTrendRecord &record);
    // Removes the n oldest records (0 <= n <= Count()).
    void RemoveFirst(int n);
    void Clear();

private:
    std::vector<TTrendRecord> m_records;
};
