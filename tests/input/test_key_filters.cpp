// The key filters of the name and coordinate fields, by character code, at
// the edges of the accepted ranges. The same rules for pasted and dropped
// text are tested through the window (tests/ui/test_entry_filters.cpp).
#include "input/key_filters.h"

#include <QTest>

using namespace selmarind;

class TestKeyFilters : public QObject {
    Q_OBJECT

private slots:
    void coordinateKey_data() {
        QTest::addColumn<uint>("code");
        QTest::addColumn<bool>("passes");
        QTest::newRow("0") << uint('0') << true;
        QTest::newRow("9") << uint('9') << true;
        QTest::newRow("Backspace") << uint(8) << true;
        QTest::newRow("Enter") << uint(13) << false;
        QTest::newRow("Ctrl+V control code") << uint(22) << false;
        QTest::newRow("space") << uint(' ') << false;
        QTest::newRow("minus sign") << uint('-') << false;
        QTest::newRow("decimal point") << uint('.') << false;
        QTest::newRow("slash, just below 0") << uint('/') << false;
        QTest::newRow("colon, just above 9") << uint(':') << false;
        QTest::newRow("letter") << uint('a') << false;
        QTest::newRow("Arabic-Indic digit") << uint(0x0663) << false;
    }

    // Digits and Backspace pass unchanged; everything else is discarded with
    // "Only Numbers Are Accepted" and the stop sign.
    void coordinateKey() {
        QFETCH(uint, code);
        QFETCH(bool, passes);
        const KeyFilterResult result = FilterCoordinateKey(code);
        if (passes) {
            QCOMPARE(uint(result.code), code);
            QVERIFY(result.message.empty());
        } else {
            QCOMPARE(uint(result.code), 0u);
            QCOMPARE(result.message, std::string_view("Only Numbers Are Accepted"));
            QCOMPARE(result.icon, MessageIcon::Error);
        }
    }

    void nameKey_data() {
        QTest::addColumn<uint>("code");
        QTest::addColumn<uint>("expected"); // 0: discarded
        QTest::newRow("a becomes A") << uint('a') << uint('A');
        QTest::newRow("z becomes Z") << uint('z') << uint('Z');
        QTest::newRow("A") << uint('A') << uint('A');
        QTest::newRow("Z") << uint('Z') << uint('Z');
        QTest::newRow("space") << uint(' ') << uint(' ');
        QTest::newRow("Enter") << uint(13) << uint(13);
        QTest::newRow("Backspace") << uint(8) << uint(8);
        QTest::newRow("digit") << uint('7') << 0u;
        QTest::newRow("@, just below A") << uint('@') << 0u;
        QTest::newRow("[, just above Z") << uint('[') << 0u;
        QTest::newRow("backquote, just below a") << uint('`') << 0u;
        QTest::newRow("{, just above z") << uint('{') << 0u;
        QTest::newRow("hyphen") << uint('-') << 0u;
        QTest::newRow("apostrophe") << uint('\'') << 0u;
        QTest::newRow("e acute") << uint(0x00E9) << 0u;
        QTest::newRow("Ctrl+V control code") << uint(22) << 0u;
    }

    // Letters pass as capitals, space, Enter and Backspace unchanged; the rest
    // is discarded with "Please Enter only Letters" and the information icon.
    void nameKey() {
        QFETCH(uint, code);
        QFETCH(uint, expected);
        const KeyFilterResult result = FilterNameKey(code);
        QCOMPARE(uint(result.code), expected);
        if (expected == 0) {
            QCOMPARE(result.message, std::string_view("Please Enter only Letters"));
            QCOMPARE(result.icon, MessageIcon::Information);
        } else {
            QVERIFY(result.message.empty());
        }
    }

    // A pasted or dropped text: exactly the field's length is taken whole,
    // one character more is too long, a non-digit is refused first.
    void coordinateText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<int>("verdict");
        const int accepted = int(TextVerdict::Accepted);
        const int tooLong = int(TextVerdict::TooLong);
        const int wrong = int(TextVerdict::WrongCharacters);
        QTest::newRow("latitude degrees, 2 of 2")
            << "89" << int(kLatitudeDegreesMaxLength) << accepted;
        QTest::newRow("latitude degrees, 3 of 2")
            << "890" << int(kLatitudeDegreesMaxLength) << tooLong;
        QTest::newRow("longitude degrees, 3 of 3")
            << "179" << int(kLongitudeDegreesMaxLength) << accepted;
        QTest::newRow("longitude degrees, 4 of 3")
            << "0179" << int(kLongitudeDegreesMaxLength) << tooLong;
        QTest::newRow("minutes, 2 of 2") << "59" << int(kLongitudeMinutesMaxLength) << accepted;
        QTest::newRow("empty") << "" << int(kLatitudeMinutesMaxLength) << accepted;
        QTest::newRow("too long and a letter")
            << "12a4" << int(kLongitudeDegreesMaxLength) << wrong;
    }
    void coordinateText() {
        QFETCH(QString, text);
        QFETCH(int, maxLength);
        QFETCH(int, verdict);
        const TextFilterResult r =
            FilterCoordinateText(text.toStdU32String(), static_cast<std::size_t>(maxLength));
        QCOMPARE(int(r.verdict), verdict);
        if (r.verdict == TextVerdict::Accepted) {
            QCOMPARE(QString::fromStdU32String(r.text), text);
        }
    }
};

QTEST_APPLESS_MAIN(TestKeyFilters)
#include "test_key_filters.moc"
