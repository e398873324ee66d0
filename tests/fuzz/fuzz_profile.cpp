// The settings file (and any INI profile): whatever it holds, reading does not
// crash, and every value the program writes reads back as written, beside
// whatever else the file keeps.
// Input: the file's bytes. The value of [Parameters] "Last Tourney" is also
// taken as the text of an integer, a float and a string to write back.
#include "Fuzz_support.h"

#include "platform/Profile.h"

#include <cstring>

namespace {

bool Same_Float(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fuzz_Set_Up();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = Settings_Path();
    Fuzz_Put_File(path, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));

    QString last;
    int number = 0;
    float fraction = 0;
    bool flag = false;
    {
        Profile settings(path);
        last = settings.Read_String("Parameters", "Last Tourney", QStringLiteral("Default.trn"));
        number = settings.Read_Int("Parameters", "Last Tourney", 7);
        fraction = settings.Read_Float("Parameters", "Last Tourney", 7.5f);
        flag = settings.Read_Bool("Parameters", "Last Tourney", true);
        FUZZ_CHECK(!last.contains(QLatin1Char('\n')) && !last.contains(QLatin1Char('\r')));

        settings.Write_String("Parameters", "Last Tourney", last);
        settings.Write_Int("Fuzz", "Int", number);
        settings.Write_Float("Fuzz", "Float", fraction);
        settings.Write_Bool("Fuzz", "Bool", flag);
        settings.Write_Float("Fuzz", "Tiny", fraction * 1e-30f);
        settings.Flush();
    }
    Profile again(path);
    FUZZ_CHECK(again.Read_String("Parameters", "Last Tourney", QString()) == last);
    FUZZ_CHECK(again.Read_Int("Fuzz", "Int", number ^ 1) == number);
    FUZZ_CHECK(Same_Float(again.Read_Float("Fuzz", "Float", -1.0f), fraction == 0 ? 0.0f : fraction));
    FUZZ_CHECK(again.Read_Bool("Fuzz", "Bool", !flag) == flag);
    FUZZ_CHECK(again.Read_Float("Fuzz", "Tiny", -1.0f) == fraction * 1e-30f);
    return 0;
}
