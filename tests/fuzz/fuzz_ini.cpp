// libFuzzer target for the INI reader and writer and the sequence file on top of them. Besides
// the sanitizers' findings it stops on any broken promise of the INI layer:
//  - a document that is not changed gives back its input byte for byte;
//  - a sequence written into any content reads back exactly, and writing it again changes nothing;
//  - a key written under any plain name reads back, also after parsing the written bytes again.
#include "sequence/RgbFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// A name from input bytes, kept to characters that cannot change a line's meaning.
QString plainName(const QByteArray& bytes)
{
    static const char alphabet[] = "abcXYZ_09 \xC4\xE4";
    QByteArray name;
    for (char c : bytes)
        name += alphabet[static_cast<unsigned char>(c) % (sizeof alphabet - 1)];
    return QString::fromLatin1(name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const IniDocument ini(input);
    require(ini.toBytes() == input);
    RgbFileData sequence = readRgbFile(ini);

    // Vary what is written with the input.
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    const auto seed = static_cast<int>(hash);
    sequence.count ^= seed;
    sequence.steps[seed & 31].r = seed;
    sequence.steps[36].ts = -(sequence.steps[0].ts % 1000);
    const QByteArray written = writeRgbFile(input, sequence);
    require(readRgbFile(IniDocument(written)) == sequence);
    require(writeRgbFile(written, sequence) == written);

    if (size >= 4) {
        const qsizetype cut = 1 + data[0] % 8;
        const QString section = plainName(input.mid(1, cut));
        const QString key = plainName(input.mid(1 + cut, 1 + data[1] % 8));
        const QString value = QString::number(seed);
        IniDocument edited(input);
        edited.setValue(section, key, value);
        require(edited.intValue(section, key, -1) == seed);
        const IniDocument reread(edited.toBytes());
        require(reread.intValue(section, key, -1) == seed);
        require(reread.value(section.toUpper(), key.toLower()) == value);
    }
    return 0;
}
