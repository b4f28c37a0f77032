// The one parser of typed numbers: each reading the form and the tool use.
#include "input/entry_number.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace selmarind;

class TestEntryNumber : public QObject {
    Q_OBJECT
private slots:
    void leadingNumberReadsThePrefixOnly() {
        QCOMPARE(LeadingNumberValue("12abc"), 12.0);
        QCOMPARE(LeadingNumberValue("-3.5e1x"), -35.0);
        QCOMPARE(LeadingNumberValue(".5"), 0.5);
        QCOMPARE(LeadingNumberValue("e5"), 0.0);  // no digit before the exponent
        QCOMPARE(LeadingNumberValue("1e"), 1.0);  // an exponent without digits is not read
        QCOMPARE(LeadingNumberValue("+-1"), 0.0); // two signs: no number
        QVERIFY(std::isinf(LeadingNumberValue("1e999")));
        QCOMPARE(LeadingNumberValue("1e-999"), 0.0);
    }

    void wholeTextNumberNeedsTheWholeText() {
        QCOMPARE(WholeTextNumberValue("59"), std::optional<double>(59));
        QCOMPARE(WholeTextNumberValue("5.9e1"), std::optional<double>(59));
        QCOMPARE(WholeTextNumberValue("59 "), std::optional<double>());
        QCOMPARE(WholeTextNumberValue(""), std::optional<double>());
    }

    void wholeNumbersAndDigits() {
        QCOMPARE(WholeNumberValue(" 2000 "), std::optional<long long>(2000));
        QCOMPARE(WholeNumberValue("+7"), std::optional<long long>(7));
        QCOMPARE(WholeNumberValue("+-7"), std::optional<long long>());
        QCOMPARE(WholeNumberValue("7.0"), std::optional<long long>());
        QCOMPARE(WholeNumberValue("99999999999999999999"), std::optional<long long>());
        QCOMPARE(DigitsValue("07", 2), std::optional<int>(7));
        QCOMPARE(DigitsValue("123", 2), std::optional<int>());
        QCOMPARE(DigitsValue("", 2), std::optional<int>());
        QCOMPARE(DigitsValue("-1", 2), std::optional<int>());
        QCOMPARE(DigitsValue("\xD9\xA3", 4), std::optional<int>()); // an Arabic-Indic digit
    }

    void entryConversionRoundsHalvesToEven() {
        QCOMPARE(EntryToInt16(" 7 "), std::optional<std::int16_t>(7));
        QCOMPARE(EntryToInt16("2.5"), std::optional<std::int16_t>(2));
        QCOMPARE(EntryToInt16("3.5"), std::optional<std::int16_t>(4));
        QCOMPARE(EntryToInt16("32768"), std::optional<std::int16_t>());
        QCOMPARE(EntryToInt16("-32768"), std::optional<std::int16_t>(-32768));
    }
};

QTEST_APPLESS_MAIN(TestEntryNumber)
#include "test_entry_number.moc"
