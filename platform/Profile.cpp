#include "platform/Profile.h"

#include "platform/Record_file.h"
#include "platform/Text_lines.h"
#include "platform/Velmora_error.h"

#include <QFile>
#include <QLocale>

#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string>

// Debian's SimpleIni keeps its implementation behind SI_IMPLEMENTATION; this is
// the one file that compiles it. Texts are 8-bit (Latin-1) and pass through as
// they are.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

struct Profile::Impl {
    CSimpleIniA ini;
    bool unreadable = false; // the file exists but could not be read
};

namespace {

bool Is_Hex_Digit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int Hex_Value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

// "0x1E" (at least three characters) is hexadecimal, anything else decimal with
// an optional sign. The whole text must be the number.
bool Parse_Int(const char* text, int& value)
{
    if (text == nullptr || *text == '\0')
        return false;
    std::string s(text);
    if (s.size() >= 3 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        unsigned long long v = 0;
        for (size_t i = 2; i < s.size(); ++i) {
            if (!Is_Hex_Digit(s[i]))
                return false;
            v = v * 16 + Hex_Value(s[i]);
            if (v > 0xFFFFFFFFull)
                return false;
        }
        // Eight hex digits fill the 32 bits, sign bit included.
        value = static_cast<int>(static_cast<unsigned int>(v));
        return true;
    }
    size_t i = 0;
    bool negative = false;
    if (s[0] == '+' || s[0] == '-') {
        negative = s[0] == '-';
        i = 1;
    }
    if (i == s.size())
        return false;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        v = v * 10 + (s[i] - '0');
        if (v > 2147483648LL)
            return false;
    }
    if (negative)
        v = -v;
    if (v > 2147483647LL)
        return false;
    value = static_cast<int>(v);
    return true;
}

// Largest magnitude that rounds to the largest float: FLT_MAX plus half of its
// unit in the last place. The largest float itself is written with 15 digits
// as 3.40282346638529E38, a little past it, and must read back as itself.
const double Float_Round_Limit = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);

// A decimal number with '.' or ',' as its separator (files written where the
// user's separator was a comma hold "12,5"); no group separators.
bool Parse_Float(const char* text, float& value)
{
    if (text == nullptr || *text == '\0')
        return false;
    QByteArray bytes(text);
    if (bytes.count(',') == 1 && !bytes.contains('.'))
        bytes.replace(',', '.');
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    double d = c.toDouble(QLatin1String(bytes), &ok);
    if (!ok || !std::isfinite(d) || std::fabs(d) >= Float_Round_Limit)
        return false;
    if (std::fabs(d) > FLT_MAX)
        d = std::copysign(static_cast<double>(FLT_MAX), d);
    value = static_cast<float>(d);
    return true;
}

} // namespace

Profile::Profile(const QString& path) : impl_(std::make_unique<Impl>()), path_(path)
{
    impl_->ini.SetSpaces(false);
    QFile file(path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        // Writing later would replace contents we never saw: Flush refuses.
        impl_->unreadable = true;
        return;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || impl_->ini.LoadData(bytes.constData(), bytes.size()) < 0) {
        impl_->ini.Reset();
        impl_->unreadable = true;
    }
}

Profile::~Profile() = default;

int Profile::Read_Int(const char* section, const char* key, int def) const
{
    int value = 0;
    return Parse_Int(impl_->ini.GetValue(section, key, nullptr), value) ? value : def;
}

bool Profile::Read_Bool(const char* section, const char* key, bool def) const
{
    int value = 0;
    return Parse_Int(impl_->ini.GetValue(section, key, nullptr), value) ? value != 0 : def;
}

float Profile::Read_Float(const char* section, const char* key, float def) const
{
    float value = 0;
    return Parse_Float(impl_->ini.GetValue(section, key, nullptr), value) ? value : def;
}

QString Profile::Read_String(const char* section, const char* key, const QString& def) const
{
    const char* text = impl_->ini.GetValue(section, key, nullptr);
    return text != nullptr ? Decode_8Bit(text, static_cast<qsizetype>(qstrlen(text))) : def;
}

void Profile::Write_Int(const char* section, const char* key, int value)
{
    Write_String(section, key, QString::number(value));
}

void Profile::Write_Bool(const char* section, const char* key, bool value)
{
    Write_String(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void Profile::Write_Float(const char* section, const char* key, float value)
{
    Write_String(section, key, Float_Text(static_cast<double>(value)));
}

void Profile::Write_String(const char* section, const char* key, const QString& value)
{
    // A line break inside a value would end its line and could plant other
    // keys in the file; it becomes a blank.
    QByteArray bytes = value.toUtf8();
    bytes.replace('\r', ' ').replace('\n', ' ');
    impl_->ini.SetValue(section, key, bytes.constData());
    dirty_ = true;
}

void Profile::Delete_Section(const char* section)
{
    if (impl_->ini.Delete(section, nullptr))
        dirty_ = true;
}

QStringList Profile::Keys(const char* section) const
{
    CSimpleIniA::TNamesDepend keys;
    impl_->ini.GetAllKeys(section, keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    QStringList out;
    for (const CSimpleIniA::Entry& k : keys)
        out << Decode_8Bit(k.pItem, static_cast<qsizetype>(qstrlen(k.pItem)));
    return out;
}

void Profile::Delete_Key(const char* section, const char* key)
{
    if (impl_->ini.Delete(section, key, true))
        dirty_ = true;
}

void Profile::Flush()
{
    if (!dirty_)
        return;
    if (impl_->unreadable)
        Raise_Write_Error(path_);
    std::string text;
    if (impl_->ini.Save(text) < 0)
        Raise_Write_Error(path_);
    Write_File_Atomic(path_, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    dirty_ = false;
}

QString Float_Text(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");

    // 15 significant digits, rounded: "d.dddddddddddddde[+-]x", with '.'
    // whatever the user's locale says (QCoreApplication sets the C library's
    // locale from the environment, so printf would use the user's separator).
    char buf[64];
    auto [end, error] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    if (error != std::errc())
        return QStringLiteral("0");
    std::string s(buf, end);
    bool negative = s[0] == '-';
    if (negative)
        s.erase(0, 1);
    size_t e_pos = s.find('e');
    int exponent = std::stoi(s.substr(e_pos + 1));
    std::string digits = s.substr(0, 1) + s.substr(2, e_pos - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        // Scientific: "1.5E-7", "1E20".
        out += digits.substr(0, 1);
        if (digits.size() > 1)
            out += "." + digits.substr(1);
        out += "E" + std::to_string(exponent);
    } else if (exponent >= 0) {
        size_t whole = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits + std::string(whole - digits.size(), '0');
        } else {
            out += digits.substr(0, whole) + "." + digits.substr(whole);
        }
    } else {
        out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    }
    return QString::fromLatin1(out.c_str());
}
