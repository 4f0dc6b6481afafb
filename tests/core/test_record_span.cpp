// The span an edit changed: each row gives the motion before and after, and the span that must
// be found; the span applied turns before into after, and its inverse turns after back.

#include "core/edit/record_span.h"
#include "support/printing.h"

#include <QTest>

using Records = std::vector<Step>;
Q_DECLARE_METATYPE(Records)

// One record a letter: a..z as channel 0 at positions 0..25, so rows read as words.
static Records word(const char *letters)
{
    Records r;
    for (; *letters; ++letters)
        r.push_back({0, qint16(*letters - 'a')});
    return r;
}

class TestRecordSpan : public QObject {
    Q_OBJECT
private slots:
    void span_data();
    void span();
};

void TestRecordSpan::span_data()
{
    QTest::addColumn<Records>("before");
    QTest::addColumn<Records>("after");
    QTest::addColumn<int>("first");
    QTest::addColumn<Records>("removed");
    QTest::addColumn<Records>("inserted");
    const auto row = [](const char *name, const char *before, const char *after, int first,
                        const char *removed, const char *inserted) {
        QTest::newRow(name) << word(before) << word(after) << first << word(removed)
                            << word(inserted);
    };
    row("insert at start", "abcd", "xyabcd", 0, "", "xy");
    row("insert in middle", "abcd", "abxycd", 2, "", "xy");
    row("insert at end", "abcd", "abcdxy", 4, "", "xy");
    row("insert next to its twin", "abcd", "abbcd", 2, "", "b");
    row("delete at start", "abcd", "cd", 0, "ab", "");
    row("delete in middle", "abcde", "ae", 1, "bcd", "");
    row("delete at end", "abcd", "ab", 2, "cd", "");
    row("replace at start", "abcd", "xbcd", 0, "a", "x");
    row("replace in middle", "abcde", "abyxe", 2, "cd", "yx");
    row("replace at end", "abcd", "abcx", 3, "d", "x");
    row("replace and grow", "abcd", "axyzd", 1, "bc", "xyz");
    row("no change", "abcd", "abcd", 4, "", "");
    row("whole change", "abcd", "wxyz", 0, "abcd", "wxyz");
    row("from nothing", "", "ab", 0, "", "ab");
}

void TestRecordSpan::span()
{
    QFETCH(Records, before);
    QFETCH(Records, after);
    QFETCH(int, first);
    QFETCH(Records, removed);
    QFETCH(Records, inserted);
    const edits::Span span = edits::spanBetween(before, after);
    QCOMPARE(span.first, first);
    QCOMPARE(span.removed, removed);
    QCOMPARE(span.inserted, inserted);
    QCOMPARE(edits::applied(before, span), std::optional<Records>(after));
    QCOMPARE(edits::applied(after, edits::inverse(span)), std::optional<Records>(before));
    // Records the span was not taken from are left alone, not patched.
    if (!removed.empty()) {
        Records other = before;
        other[size_t(first)].position = 99;
        QVERIFY(!edits::applied(other, span));
    }
    QVERIFY(!edits::applied(word("a"), {2, {}, {}})); // past the end
}

QTEST_GUILESS_MAIN(TestRecordSpan)
#include "test_record_span.moc"
