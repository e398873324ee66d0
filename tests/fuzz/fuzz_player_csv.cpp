// Players by CSV: whatever the file holds, the preview does not crash, every
// row it would add can be stored (a first name, texts within their fields, in
// the files' character set, no key twice, no name on two lines, no more than
// 150 players), the
// import adds exactly those rows, and exporting the database and importing
// that into an empty one gives the same players.
#include "Fuzz_support.h"

#include "model/Player.h"
#include "model/Player_csv.h"

#include <QSet>

namespace {

QStringList Texts(const CPlayerDB& db)
{
    QStringList out;
    for (int i = 0; i < db.Count; ++i) {
        const CPlayer& p = db.Player[i];
        for (const char* f : {p.First, p.Last, p.Aka, p.Phone, p.Cell})
            out << Field_Text(f, Player_Text_Size);
    }
    return out;
}

void Check_Preview(const Import_Preview& preview, const CPlayerDB& db)
{
    QSet<QString> keys;
    for (int i = 0; i < db.Count; ++i)
        keys.insert(db.Player[i].Key());
    int adds = 0;
    for (const Import_Row& row : preview.rows) {
        FUZZ_CHECK(row.line >= 1);
        if (row.status != Import_Status::Add) {
            FUZZ_CHECK(!row.reason.isEmpty());
            continue;
        }
        ++adds;
        FUZZ_CHECK(!row.fields[0].isEmpty());
        FUZZ_CHECK(!row.Key().contains(QLatin1Char('\n')) && !row.Key().contains(QLatin1Char('\r')));
        for (const QString& f : row.fields) {
            FUZZ_CHECK(f.size() <= Player_Text_Size - 1);
            FUZZ_CHECK(Characters_Outside_Latin1(f).isEmpty());
            FUZZ_CHECK(QString::fromLatin1(f.toLatin1()) == f);
        }
        FUZZ_CHECK(!keys.contains(row.Key()));
        keys.insert(row.Key());
    }
    FUZZ_CHECK(db.Count + adds <= Max_Players);
}

void Empty_Database()
{
    Fuzz_Put_File(Data_Folder() + QStringLiteral("PdB.data"), QByteArray());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fuzz_Set_Up();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // One player is stored already, so duplicates of the database are met too.
    CPlayer ann;
    Set_Field(ann.First, Player_Text_Size, QStringLiteral("Ann"));
    Set_Field(ann.Last, Player_Text_Size, QStringLiteral("Lee"));
    Empty_Database();
    CPlayerDB db;
    db.Load();
    FUZZ_CHECK(db.Add(ann));

    const Import_Preview preview = Preview_Import(bytes, db);
    Check_Preview(preview, db);
    const int expected = preview.Count(Import_Status::Add);
    FUZZ_CHECK(Import_Players(db, preview) == expected);
    FUZZ_CHECK(db.Count == 1 + expected);

    // Export, then import into an empty database: the same players.
    const QByteArray exported = Export_Players(db);
    const QStringList texts = Texts(db);
    Empty_Database();
    CPlayerDB copy;
    copy.Load();
    const Import_Preview again = Preview_Import(exported, copy);
    FUZZ_CHECK(again.error.isEmpty());
    FUZZ_CHECK(again.Count(Import_Status::Add) == db.Count);
    Import_Players(copy, again);
    FUZZ_CHECK(Texts(copy) == texts);
    return 0;
}
