#include "app/tools/statistics_window.h"

#include "support/locale_guard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

struct StatisticsCase
{
    const char *name;
    std::vector<double> samples;
    // Min, Max, Mean, Std Dev, Quartile 1..3, Skewness, Kurtoisis as the memo shows them.
    QStringList values;
};

const StatisticsCase kStatisticsCases[] = {
        {"FourRisingValues",
         {1, 2, 3, 4},
         {"1,0000", "4,0000", "2,5000", "1,2910", "1,2500", "2,5000", "3,7500", "0,0000",
          "-1,2000"}},
        {"UnsortedEightValues",
         {9, 4, 2, 5, 4, 7, 4, 5},
         {"2,0000", "9,0000", "5,0000", "2,1381", "4,0000", "4,5000", "6,5000", "0,8185",
          "0,9406"}},
        {"SkewedFourValues",
         {10, 1, 3, 2},
         {"1,0000", "10,0000", "4,0000", "4,0825", "1,2500", "2,5000", "8,2500", "1,7636",
          "3,2280"}},
        // Two and three samples: the sample variance, the upper quartile at the largest value,
        // no shape statistics.
        {"TwoValues",
         {4, 1},
         {"1,0000", "4,0000", "2,5000", "2,1213", "1,0000", "2,5000", "4,0000", "0,0000",
          "0,0000"}},
        {"ThreeValues",
         {1, 6, 2},
         {"1,0000", "6,0000", "3,0000", "2,6458", "1,0000", "2,0000", "6,0000", "0,0000",
          "0,0000"}},
        {"OneValue",
         {-3.5},
         {"-3,5000", "-3,5000", "-3,5000", "0,0000", "-3,5000", "-3,5000", "-3,5000", "0,0000",
          "0,0000"}},
        {"TenEqualValues",
         std::vector<double>(10, 5.0),
         {"5,0000", "5,0000", "5,0000", "0,0000", "5,0000", "5,0000", "5,0000", "0,0000",
          "0,0000"}},
        // Rounding in the mean of many equal values must not produce a shape.
        {"ManyEqualFractions",
         std::vector<double>(100000, 0.3),
         {"0,3000", "0,3000", "0,3000", "0,0000", "0,3000", "0,3000", "0,3000", "0,0000",
          "0,0000"}},
        {"NoSamples",
         {},
         {"0,0000", "0,0000", "0,0000", "0,0000", "0,0000", "0,0000", "0,0000", "0,0000",
          "0,0000"}},
};

const char *const kLabels[]
        = {"Min        =  ", "Max        =  ", "Mean       =  ", "Std Dev    =  ", "Quartile 1 =  ",
           "Quartile 2 =  ", "Quartile 3 =  ", "Skewness   =  ", "Kurtoisis  =  "};

std::string ExpectedMemo(const QStringList &values)
{
    QStringList lines;
    for (int i = 0; i < values.size(); ++i)
        lines << QLatin1String(kLabels[i]) + values[i];
    return lines.join('\n').toStdString();
}

class StatisticsWindowTable : public ::testing::TestWithParam<StatisticsCase>
{ };

TEST_P(StatisticsWindowTable, AnalyzeWritesNineLinesInTheLocaleFormat)
{
    LocaleGuard german(LocaleGuard::German());
    TFormStatistics form;
    const std::vector<double> samples = GetParam().samples;
    form.SampleSource = [&samples] { return samples; };

    form.btnAnalyzeClick();

    EXPECT_EQ(form.Memo1()->toPlainText().toStdString(), ExpectedMemo(GetParam().values));
}

INSTANTIATE_TEST_SUITE_P(Samples, StatisticsWindowTable, ::testing::ValuesIn(kStatisticsCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(StatisticsWindow, AnalysesSamplesAsSinglePrecisionValues)
{
    LocaleGuard c(LocaleGuard::C());
    TFormStatistics form;
    form.SampleSource = [] { return std::vector<double> {0.1, 0.1, 0.1, 0.2}; };
    form.btnAnalyzeClick();
    EXPECT_DOUBLE_EQ(form.Vec1().Elem(1), static_cast<double>(0.1f));
    EXPECT_EQ(form.Memo1()->toPlainText().split('\n').value(2).toStdString(),
              "Mean       =  0.1250");
}

TEST(StatisticsWindow, ANewAnalysisReplacesTheLinesAndShowingClearsThem)
{
    LocaleGuard german(LocaleGuard::German());
    TFormStatistics form;
    std::vector<double> samples(1000, 7.0);
    form.SampleSource = [&samples] { return samples; };
    form.btnAnalyzeClick();
    samples = {1, 2};
    form.btnAnalyzeClick();

    const QStringList lines = form.Memo1()->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[1].toStdString(), "Max        =  2,0000");
    EXPECT_EQ(form.Vec1().NrOfElem(), 2);

    form.show();
    EXPECT_TRUE(form.Memo1()->toPlainText().isEmpty());
    form.hide();
}

TEST(StatisticsWindow, CopyPutsTheWholeMemoOnTheClipboard)
{
    LocaleGuard german(LocaleGuard::German());
    TFormStatistics form;
    form.SampleSource = [] { return std::vector<double> {1, 2, 3, 4}; };
    form.btnAnalyzeClick();
    QGuiApplication::clipboard()->clear();

    form.btnCopyClick();

    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              form.Memo1()->toPlainText().toStdString());
    EXPECT_TRUE(QGuiApplication::clipboard()->text().endsWith("Kurtoisis  =  -1,2000"));
}

} // namespace
