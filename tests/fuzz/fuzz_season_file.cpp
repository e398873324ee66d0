// Season files: whatever a file holds, reading it either names what is wrong
// (Velmora_Error) or gives a season whose written text reads back the same
// (with the values taken into range, so without notes on them).
#include "Fuzz_support.h"

#include "model/Season.h"
#include "platform/Velmora_error.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fuzz_Set_Up();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Season season;
    try {
        season = Parse_Season(bytes, QStringLiteral("Fuzz.season"));
    } catch (const Velmora_Error& e) {
        FUZZ_CHECK(e.text().contains(QStringLiteral("Fuzz.season")));
        return 0;
    }
    FUZZ_CHECK(season.rule.table.size() <= Max_Table_Places);
    for (const Season_Tourney& t : season.tourneys)
        FUZZ_CHECK(!t.name.isEmpty() && t.date.isValid());
    const QByteArray text = Season_File_Text(season);
    const Season again = Parse_Season(text, QStringLiteral("Fuzz.season"));
    FUZZ_CHECK(again.range_notes.isEmpty());
    season.range_notes.clear();
    FUZZ_CHECK(again == season);
    FUZZ_CHECK(Season_File_Text(again) == text);
    return 0;
}
