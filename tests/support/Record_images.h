#pragma once
// Record images laid out by hand from the file formats, for tests that write
// entry files (".plr") and the player database ("PdB.data") byte by byte.
#include <QByteArray>
#include <cstdint>

// One 32-byte entry record: name, then three little-endian int32.
inline QByteArray Entry_Record(const QByteArray& name, int32_t table = 0, int32_t seat = 0, int32_t place = 0)
{
    QByteArray bytes = name.left(20);
    bytes.append(20 - bytes.size(), '\0');
    for (int32_t v : {table, seat, place})
        for (int i = 0; i < 4; ++i)
            bytes.append(static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF));
    return bytes;
}

// One 116-byte database record.
inline QByteArray Db_Record(uint32_t number, const QByteArray& first, const QByteArray& last,
                            const QByteArray& aka = {}, const QByteArray& phone = {}, const QByteArray& cell = {})
{
    QByteArray bytes(116, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    int offset = 5;
    for (const QByteArray* text : {&first, &last, &aka, &phone, &cell}) {
        bytes.replace(offset, static_cast<int>(text->left(20).size()), text->left(20));
        offset += 20;
    }
    return bytes;
}
