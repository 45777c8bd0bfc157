#pragma once

#include "instruments/persistent.h"
#include "platform/date_time.h"

#include <functional>

class TAbTrend;

// A horizontal limit of the trend plot, in percent of the plot height (0 at the zero line,
// 100 at the top). Every changed value fires OnChange; a changed Value also OnValueChange.
class TTrendLimit : public TAbPersistent
{
public:
    explicit TTrendLimit(float value) { m_values.Value = value; }

    float Value() const { return m_values.Value; }
    TColor Color() const { return m_values.Color; }
    bool Filled() const { return m_values.Filled; }
    bool Enabled() const { return m_values.Enabled; }
    void SetValue(float v);
    void SetColor(TColor v) { SetField(m_values.Color, v); }
    void SetFilled(bool v) { SetField(m_values.Filled, v); }
    void SetEnabled(bool v) { SetField(m_values.Enabled, v); }
    void Assign(const TTrendLimit &source);

    std::function<void(TTrendLimit *sender)> OnValueChange;

private:
    struct Values
    {
        float Value = 0.0f;
        TColor Color = clMaroon;
        bool Filled = true;
        bool Enabled = true;
    };
    Values m_values;
};

// What the record list holds and which part of it is drawn. Written by the trend.
class TRecInfo
{
public:
    int FirstDisplayedRec() const { return m_firstDisplayedRec; }
    int LastDisplayedRec() const { return m_lastDisplayedRec; }
    unsigned TotalRecords() const { return m_totalRecords; }
    TDateTime FirstRecord() const { return m_firstRecord; }
    TDateTime LastRecord() const { return m_lastRecord; }

private:
    friend class TAbTrend;

    int m_firstDisplayedRec = 0;
    int m_lastDisplayedRec = 0;
    unsigned m_totalRecords = 0;
    TDateTime m_firstRecord = 0.0;
    TDateTime m_lastRecord = 0.0;
};

// The record under the cursor line, its values read with the channels' current ranges.
// Written by the trend; DataValid is false on a separator and away from the records.
class TVAtCursor
{
public:
    bool DataValid() const { return m_dataValid; }
    int RecordNo() const { return m_recordNo; }
    TDateTime Time() const { return m_time; }
    float ValueCh(int channel) const { return m_values[channel - 1]; }
    float ValueCh1() const { return m_values[0]; }
    float ValueCh2() const { return m_values[1]; }
    float ValueCh3() const { return m_values[2]; }
    float ValueCh4() const { return m_values[3]; }
    float ValueCh5() const { return m_values[4]; }
    float ValueCh6() const { return m_values[5]; }
    float ValueCh7() const { return m_values[6]; }
    float ValueCh8() const { return m_values[7]; }

private:
    friend class TAbTrend;

    bool m_dataValid = false;
    int m_recordNo = 0;
    TDateTime m_time = 0.0;
    float m_values[8] = {};
};
