#include "FontDownloadPfb.h"
#include "FontDownloadFixtures.h"
#include "FontDownloadText.h"

#include <QBuffer>

#include <gtest/gtest.h>

using qrl::fontdownload::PfaResult;
using namespace qrl::test::fonttest;

namespace {

struct Converted {
    PfaResult result;
    QByteArray pfa;
};

Converted convert(QByteArray pfb)
{
    QBuffer in(&pfb);
    in.open(QIODevice::ReadOnly);
    QByteArray pfa;
    QBuffer out(&pfa);
    out.open(QIODevice::WriteOnly);
    const PfaResult result = qrl::fontdownload::convertPfbToPfa(in, out, qrl::fontdownload::kEndOfDataMarker);
    return {result, pfa};
}

QByteArray hexLinesOf(const QByteArray& bytes)
{
    QByteArray text;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i > 0 && i % 32 == 0)
            text += '\n';
        text += bytes.mid(i, 1).toHex();
    }
    return text;
}

TEST(FontDownloadPfb, ConvertsSegmentsToHexText)
{
    const QByteArray k1024 = countingBytes(1024);
    const QByteArray k1000 = countingBytes(1000);
    struct Case {
        const char* what;
        QByteArray pfb;
        PfaResult result;
        QByteArray pfa;
    } cases[] = {
        {"CR LF line ends become LF LF", segment(1, "a\r\nb\r") + endSegment(), PfaResult::Complete,
         "a\n\nb\n"},
        {"1024 binary bytes: 32 full lines, the last without a line end", segment(2, k1024) + segment(1, "T"),
         PfaResult::Complete, hexLinesOf(k1024) + "T"},
        {"1000 binary bytes: a last line of 16 digits with its line end", segment(2, k1000) + endSegment(),
         PfaResult::Complete, hexLinesOf(k1000) + "\n"},
        {"a type 3 segment ends the text", segment(1, "x") + endSegment() + segment(1, "never"),
         PfaResult::Complete, "x"},
        {"the file may end after a segment", segment(1, "x") + segment(2, "\xff"), PfaResult::Complete,
         "xff\n"},
        {"a header without the marker keeps the text before it", segment(1, "x") + "junk..",
         PfaResult::StrayHeader, "x"},
        {"a length beyond the file is refused", segment(1, "abc").left(8), PfaResult::Truncated, ""},
        {"a length of 4 GiB less one is refused", QByteArray("\x80\x02\xff\xff\xff\xff", 6) + "abc",
         PfaResult::Truncated, ""},
        {"the end-of-data marker split over two text segments", segment(1, "a%%Mira") + segment(1, "beld b"),
         PfaResult::MarkerInText, ""},
        {"an end-of-job byte in the text",
         segment(1, "a\x04"
                    "b"),
         PfaResult::EndOfJob, ""},
    };
    for (const Case& c : cases) {
        const Converted got = convert(c.pfb);
        EXPECT_EQ(got.result, c.result) << c.what;
        if (c.result == PfaResult::Complete || c.result == PfaResult::StrayHeader) {
            EXPECT_EQ(got.pfa, c.pfa) << c.what;
        }
    }
}

TEST(FontDownloadPfb, RecognisesTheStartOfAPfb)
{
    EXPECT_TRUE(qrl::fontdownload::isPfbStart(segment(1, "")));
    EXPECT_FALSE(qrl::fontdownload::isPfbStart(segment(2, "")));
    EXPECT_FALSE(qrl::fontdownload::isPfbStart(QByteArray("\x80\x01\x00", 3)));
    EXPECT_FALSE(qrl::fontdownload::isPfbStart("%!PS-AdobeFont"));
}

TEST(FontDownloadPfb, ScansTheFontName)
{
    const QByteArray far = QByteArray(8090, 'x') + "FontName /FarAway def";
    struct Case {
        const char* what;
        QByteArray file;
        std::optional<QByteArray> name;
    } cases[] = {
        {"name ended by a blank", "/FontName /Courier def", QByteArray("Courier")},
        {"no blank before the slash", "/FontName/Courier def", std::nullopt},
        {"the first of two", "FontName /A\nFontName /B\n", QByteArray("A")},
        {"key and name across the scan's window", far, QByteArray("FarAway")},
        {"name ends the file", "FontName /Last", QByteArray("Last")},
        {"35 characters", "FontName /" + QByteArray(35, 'n') + " def", QByteArray(35, 'n')},
        {"36 characters are too long", "FontName /" + QByteArray(36, 'n') + " def", std::nullopt},
        {"an empty name", "FontName / def", std::nullopt},
        {"no key at all", QByteArray(20000, 'F'), std::nullopt},
    };
    for (Case& c : cases) {
        QBuffer in(&c.file);
        in.open(QIODevice::ReadOnly);
        EXPECT_EQ(qrl::fontdownload::scanFontName(in), c.name) << c.what;
    }
}

} // namespace
