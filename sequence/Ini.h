#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <unordered_map>
#include <vector>

// Reads a value as an integer the way sequence files are read: optional sign, then decimal
// digits, or hexadecimal digits after "0x", "0X" or "$". Everything else, and every number
// outside the int range, reads as 0 (ok = false).
int iniToInt(QByteArrayView text, bool* ok = nullptr);

// An INI file held in memory, read and updated with the rules of the Windows profile functions:
//  - a line is ended by "\r\n", "\n" or a lone "\r"; a UTF-8 byte-order mark at the start is
//    skipped when reading and kept when writing;
//  - "[name]" (first "]" closes it, the rest of the line is ignored) starts a section; a line
//    starting with ";" is a comment; any other non-blank line is a key line: the name before the
//    first "=", the value after it (no "=": the value is empty); lines before the first section
//    belong to no section and are never found;
//  - section and key names match case-insensitively (ASCII and Latin-1 letters), spaces and tabs
//    around names and values are ignored, one pair of matching quotes around a value is removed;
//  - a name that occurs more than once is found at its first occurrence (section and key);
//  - bytes are Latin-1; the bytes of everything not written stay exactly as they were.
// Writing a key that exists replaces its value in place (the text up to the value and the
// blanks after it stay). A new key goes right after the last key line of its section, so blank
// lines and comments after it (often the next section's comment) stay in front of the next
// section; a section without keys gets it right after its header line. A new section goes to the
// end of the file, without a blank line before it. New lines use the file's first line end, or
// "\r\n" when it has none. Line breaks inside written names and values become spaces; other
// characters are written as given (as Windows does, a section name with "]" or a key with "="
// or a leading ";" or "[" then reads back differently).
// Parsing is linear and indexes every section and key once, so lookups never rescan the file.
class IniDocument {
public:
    IniDocument();
    explicit IniDocument(const QByteArray& content);

    // The value, or defaultValue when the section or the key is missing (an empty value is found).
    QString value(const QString& section, const QString& key,
                  const QString& defaultValue = QString()) const;
    // The value read by iniToInt, or defaultValue when the section or the key is missing.
    int intValue(const QString& section, const QString& key, int defaultValue = 0) const;
    bool contains(const QString& section, const QString& key) const;

    void setValue(const QString& section, const QString& key, const QString& value);

    // The whole file with every change applied.
    QByteArray toBytes() const;
    QByteArray lineEnd() const { return m_lineEnd; }

private:
    // Open addressing over 32-bit ids; the caller's match function compares names.
    class IdTable {
    public:
        template <class Match>
        std::int32_t find(std::uint64_t hash, Match match) const;
        // The id already stored for a matching name, else newId after storing it.
        template <class Match>
        std::int32_t findOrInsert(std::uint64_t hash, std::int32_t newId, Match match);
        void insert(std::uint64_t hash, std::int32_t id);

    private:
        struct Slot {
            std::uint32_t hash = 0;
            std::int32_t id = -1;
        };
        void grow();
        std::vector<Slot> m_slots;
        std::size_t m_used = 0;
    };

    // Only the first section of each name and the first key of each name in it are kept: the
    // others can never be found. Parsed records are small so that huge files stay cheap; ids at
    // or beyond the parsed count refer to the records added by setValue.
    struct Section {
        qint64 nameBegin = 0;
        qint64 insertAt = 0;  // where new keys go: after the last key line, else after the header
        std::int32_t nameSize = 0;
    };
    struct Entry {
        qint64 keyBegin = 0;  // also a place to parse the key line from again
        std::int32_t keySize = 0;
        std::int32_t section = 0;
    };
    struct AddedEntry {
        std::int32_t section = 0;
        QByteArray key;
        QByteArray value;
    };
    struct LineParts;

    void parse();
    LineParts lineAt(qint64 offset) const;
    QByteArrayView sectionName(std::int32_t section) const;
    QByteArrayView entryKey(std::int32_t entry) const;
    std::int32_t findSection(QByteArrayView name, std::uint64_t hash) const;
    std::int32_t findEntry(std::int32_t section, QByteArrayView key, std::uint64_t hash) const;
    std::int32_t lookup(const QString& section, const QString& key) const;
    QByteArray rawValue(std::int32_t entry) const;

    QByteArray m_bytes;
    qsizetype m_start = 0;  // after the byte-order mark
    QByteArray m_lineEnd;
    std::vector<Section> m_sections;
    std::vector<QByteArray> m_addedSections;  // names; ids follow the parsed sections
    std::vector<Entry> m_entries;
    std::vector<AddedEntry> m_addedEntries;   // ids follow the parsed entries
    IdTable m_sectionIndex;
    IdTable m_entryIndex;
    std::unordered_map<std::int32_t, QByteArray> m_replaced;  // parsed entry -> new value
    std::unordered_map<std::int32_t, std::vector<std::int32_t>> m_appended;  // parsed section -> new keys
};
