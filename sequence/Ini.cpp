#include "sequence/Ini.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace {

constexpr std::array<unsigned char, 256> makeFoldTable()
{
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<unsigned char>(i);
    for (int i = 'A'; i <= 'Z'; ++i)
        table[i] = static_cast<unsigned char>(i + 32);
    for (int i = 0xC0; i <= 0xDE; ++i) {  // Latin-1 capitals; 0xD7 is the multiplication sign
        if (i != 0xD7)
            table[i] = static_cast<unsigned char>(i + 32);
    }
    return table;
}
constexpr std::array<unsigned char, 256> foldTable = makeFoldTable();

unsigned char fold(char c)
{
    return foldTable[static_cast<unsigned char>(c)];
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::uint64_t mix(std::uint64_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

std::uint64_t foldHash(QByteArrayView name)
{
    std::uint64_t h = 0xcbf29ce484222325ULL;  // FNV-1a over the folded bytes
    for (char c : name) {
        h ^= fold(c);
        h *= 0x100000001b3ULL;
    }
    return mix(h);
}

std::uint64_t entryHash(std::int32_t section, std::uint64_t keyHash)
{
    return mix(keyHash ^ (static_cast<std::uint64_t>(section) * 0x9E3779B97F4A7C15ULL));
}

bool foldEqual(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

QByteArrayView trimBlanks(QByteArrayView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.sliced(begin, end - begin);
}

// What a reader gets: blanks trimmed and one pair of matching quotes removed.
QByteArrayView cooked(QByteArrayView raw)
{
    QByteArrayView v = trimBlanks(raw);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.sliced(1, v.size() - 2);
    return v;
}

// A name or value as it is written: Latin-1, line breaks turned into spaces so that the text
// stays on its line.
QByteArray toFileText(const QString& text)
{
    QByteArray bytes = text.toLatin1();
    bytes.replace('\r', ' ');
    bytes.replace('\n', ' ');
    return bytes;
}

// The first "\r" or "\n" at or after from, else end. Searched chunk by chunk, so that a file
// with only one kind of line break never makes each line search to the end of the file.
qint64 findLineBreak(const char* data, qint64 from, qint64 end)
{
    constexpr qint64 Chunk = 1024;
    while (from < end) {
        const qint64 stop = std::min(end, from + Chunk);
        const auto* lf = static_cast<const char*>(std::memchr(data + from, '\n', stop - from));
        const qint64 crStop = lf ? lf - data : stop;
        if (const auto* cr = static_cast<const char*>(std::memchr(data + from, '\r', crStop - from)))
            return cr - data;
        if (lf)
            return lf - data;
        from = stop;
    }
    return end;
}

// Ids and name lengths are 32-bit; a file with more distinct names than that, or a name longer
// than that, is not indexed beyond that point (such names can never be asked for anyway).
constexpr std::size_t MaxIds = std::numeric_limits<std::int32_t>::max() / 2;
constexpr qint64 MaxNameSize = std::numeric_limits<std::int32_t>::max();

}  // namespace

int iniToInt(QByteArrayView text, bool* ok)
{
    if (ok)
        *ok = false;
    const qsizetype n = text.size();
    qsizetype i = 0;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return 0;
    const qint64 limit = negative ? qint64(std::numeric_limits<int>::max()) + 1
                                  : qint64(std::numeric_limits<int>::max());
    qint64 value = 0;
    for (; i < n; ++i) {
        const char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return 0;
        value = value * base + digit;
        if (value > limit)
            return 0;
    }
    if (ok)
        *ok = true;
    return static_cast<int>(negative ? -value : value);
}

// ---- IdTable ----

template <class Match>
std::int32_t IniDocument::IdTable::find(std::uint64_t hash, Match match) const
{
    if (m_slots.empty())
        return -1;
    const auto h = static_cast<std::uint32_t>(hash ^ (hash >> 32));
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.id < 0)
            return -1;
        if (slot.hash == h && match(slot.id))
            return slot.id;
    }
}

template <class Match>
std::int32_t IniDocument::IdTable::findOrInsert(std::uint64_t hash, std::int32_t newId, Match match)
{
    if ((m_used + 1) * 2 > m_slots.size())
        grow();
    const auto h = static_cast<std::uint32_t>(hash ^ (hash >> 32));
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.id < 0) {
            slot = {h, newId};
            ++m_used;
            return newId;
        }
        if (slot.hash == h && match(slot.id))
            return slot.id;
    }
}

void IniDocument::IdTable::insert(std::uint64_t hash, std::int32_t id)
{
    if ((m_used + 1) * 2 > m_slots.size())
        grow();
    const auto h = static_cast<std::uint32_t>(hash ^ (hash >> 32));
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = h & mask;
    while (m_slots[i].id >= 0)
        i = (i + 1) & mask;
    m_slots[i] = {h, id};
    ++m_used;
}

void IniDocument::IdTable::grow()
{
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(old.empty() ? 16 : old.size() * 2, Slot{});
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.id < 0)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].id >= 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

// ---- parsing ----

struct IniDocument::LineParts {
    enum Kind { Blank, Comment, Header, Key, Other };
    Kind kind = Blank;
    qint64 contentEnd = 0;  // before the line end
    qint64 next = 0;        // after the line end
    qint64 nameBegin = 0;   // section name or key, blanks trimmed
    qint64 nameEnd = 0;
    qint64 equals = -1;     // the first "=" of a key line, -1 without one
    qint64 valueBegin = 0;  // the value, blanks trimmed; an empty value sits right after "="
    qint64 valueEnd = 0;
};

IniDocument::LineParts IniDocument::lineAt(qint64 offset) const
{
    const char* data = m_bytes.constData();
    const qint64 size = m_bytes.size();
    LineParts l;

    l.contentEnd = findLineBreak(data, offset, size);
    if (l.contentEnd == size)
        l.next = size;
    else if (data[l.contentEnd] == '\r' && l.contentEnd + 1 < size && data[l.contentEnd + 1] == '\n')
        l.next = l.contentEnd + 2;
    else
        l.next = l.contentEnd + 1;

    qint64 begin = offset;
    while (begin < l.contentEnd && isBlank(data[begin]))
        ++begin;
    if (begin == l.contentEnd)
        return l;
    auto trimmedEnd = [&](qint64 from, qint64 end) {
        while (end > from && isBlank(data[end - 1]))
            --end;
        return end;
    };
    auto trimmedBegin = [&](qint64 from, qint64 end) {
        while (from < end && isBlank(data[from]))
            ++from;
        return from;
    };

    if (data[begin] == ';') {
        l.kind = LineParts::Comment;
    } else if (data[begin] == '[') {
        const char* close = static_cast<const char*>(
            std::memchr(data + begin + 1, ']', l.contentEnd - begin - 1));
        if (!close) {
            l.kind = LineParts::Other;
        } else {
            l.kind = LineParts::Header;
            l.nameBegin = trimmedBegin(begin + 1, close - data);
            l.nameEnd = trimmedEnd(l.nameBegin, close - data);
        }
    } else {
        l.kind = LineParts::Key;
        const char* eq = static_cast<const char*>(
            std::memchr(data + begin, '=', l.contentEnd - begin));
        l.nameBegin = begin;
        if (eq) {
            l.equals = eq - data;
            l.nameEnd = trimmedEnd(begin, l.equals);
            l.valueBegin = trimmedBegin(l.equals + 1, l.contentEnd);
            l.valueEnd = trimmedEnd(l.valueBegin, l.contentEnd);
            if (l.valueBegin == l.valueEnd)
                l.valueBegin = l.valueEnd = l.equals + 1;
        } else {
            l.nameEnd = trimmedEnd(begin, l.contentEnd);
            l.valueBegin = l.valueEnd = l.contentEnd;
        }
    }
    return l;
}

IniDocument::IniDocument()
    : m_lineEnd("\r\n")
{
}

IniDocument::IniDocument(const QByteArray& content)
    : m_bytes(content)
{
    parse();
}

void IniDocument::parse()
{
    if (m_bytes.startsWith("\xEF\xBB\xBF"))
        m_start = 3;
    const qint64 size = m_bytes.size();
    std::int32_t current = -1;  // lines before the first section, or of a repeated section
    for (qint64 pos = m_start; pos < size;) {
        const LineParts l = lineAt(pos);
        if (m_lineEnd.isEmpty() && l.next > l.contentEnd)
            m_lineEnd = m_bytes.sliced(l.contentEnd, l.next - l.contentEnd);
        if (l.kind == LineParts::Header) {
            const QByteArrayView name(m_bytes.constData() + l.nameBegin, l.nameEnd - l.nameBegin);
            const auto id = static_cast<std::int32_t>(m_sections.size());
            current = -1;
            if (id < std::int32_t(MaxIds) && name.size() <= MaxNameSize
                && m_sectionIndex.findOrInsert(foldHash(name), id, [&](std::int32_t other) {
                       return foldEqual(sectionName(other), name);
                   }) == id) {
                current = id;
                m_sections.push_back({l.nameBegin, l.next, std::int32_t(name.size())});
            }
        } else if (l.kind == LineParts::Key && current >= 0) {
            m_sections[current].insertAt = l.next;
            const QByteArrayView key(m_bytes.constData() + l.nameBegin, l.nameEnd - l.nameBegin);
            const auto id = static_cast<std::int32_t>(m_entries.size());
            if (id < std::int32_t(MaxIds) && key.size() <= MaxNameSize
                && m_entryIndex.findOrInsert(entryHash(current, foldHash(key)), id, [&](std::int32_t other) {
                       return m_entries[other].section == current && foldEqual(entryKey(other), key);
                   }) == id)
                m_entries.push_back({l.nameBegin, std::int32_t(key.size()), current});
        }
        pos = l.next;
    }
    if (m_lineEnd.isEmpty())
        m_lineEnd = "\r\n";
}

QByteArrayView IniDocument::sectionName(std::int32_t section) const
{
    const auto parsed = static_cast<std::int32_t>(m_sections.size());
    if (section >= parsed)
        return m_addedSections[section - parsed];
    return QByteArrayView(m_bytes.constData() + m_sections[section].nameBegin, m_sections[section].nameSize);
}

QByteArrayView IniDocument::entryKey(std::int32_t entry) const
{
    const auto parsed = static_cast<std::int32_t>(m_entries.size());
    if (entry >= parsed)
        return m_addedEntries[entry - parsed].key;
    return QByteArrayView(m_bytes.constData() + m_entries[entry].keyBegin, m_entries[entry].keySize);
}

std::int32_t IniDocument::findSection(QByteArrayView name, std::uint64_t hash) const
{
    return m_sectionIndex.find(hash, [&](std::int32_t id) { return foldEqual(sectionName(id), name); });
}

std::int32_t IniDocument::findEntry(std::int32_t section, QByteArrayView key, std::uint64_t hash) const
{
    const auto parsed = static_cast<std::int32_t>(m_entries.size());
    return m_entryIndex.find(hash, [&](std::int32_t id) {
        const std::int32_t owner = id >= parsed ? m_addedEntries[id - parsed].section
                                                : m_entries[id].section;
        return owner == section && foldEqual(entryKey(id), key);
    });
}

std::int32_t IniDocument::lookup(const QString& section, const QString& key) const
{
    const QByteArray sectionText = toFileText(section);
    const QByteArrayView sectionName = trimBlanks(sectionText);
    const std::int32_t s = findSection(sectionName, foldHash(sectionName));
    if (s < 0)
        return -1;
    const QByteArray keyText = toFileText(key);
    const QByteArrayView keyName = trimBlanks(keyText);
    return findEntry(s, keyName, entryHash(s, foldHash(keyName)));
}

QByteArray IniDocument::rawValue(std::int32_t entry) const
{
    const auto parsed = static_cast<std::int32_t>(m_entries.size());
    if (entry >= parsed)
        return m_addedEntries[entry - parsed].value;
    if (auto it = m_replaced.find(entry); it != m_replaced.end())
        return it->second;
    const LineParts l = lineAt(m_entries[entry].keyBegin);
    return m_bytes.sliced(l.valueBegin, l.valueEnd - l.valueBegin);
}

// ---- reading ----

QString IniDocument::value(const QString& section, const QString& key, const QString& defaultValue) const
{
    const std::int32_t entry = lookup(section, key);
    if (entry < 0)
        return defaultValue;
    const QByteArray raw = rawValue(entry);
    const QByteArrayView v = cooked(raw);
    return QString::fromLatin1(v.data(), v.size());
}

int IniDocument::intValue(const QString& section, const QString& key, int defaultValue) const
{
    const std::int32_t entry = lookup(section, key);
    if (entry < 0)
        return defaultValue;
    const QByteArray raw = rawValue(entry);
    return iniToInt(cooked(raw));
}

bool IniDocument::contains(const QString& section, const QString& key) const
{
    return lookup(section, key) >= 0;
}

// ---- writing ----

void IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    const QByteArray sectionText = toFileText(section);
    const QByteArrayView sectionName = trimBlanks(sectionText);
    const std::uint64_t sectionHash = foldHash(sectionName);
    std::int32_t s = findSection(sectionName, sectionHash);
    if (s < 0) {
        s = static_cast<std::int32_t>(m_sections.size() + m_addedSections.size());
        m_addedSections.push_back(sectionName.toByteArray());
        m_sectionIndex.insert(sectionHash, s);
    }

    const QByteArray keyText = toFileText(key);
    const QByteArrayView keyName = trimBlanks(keyText);
    const std::uint64_t hash = entryHash(s, foldHash(keyName));
    const std::int32_t entry = findEntry(s, keyName, hash);
    const auto parsed = static_cast<std::int32_t>(m_entries.size());
    if (entry >= parsed) {
        m_addedEntries[entry - parsed].value = toFileText(value);
    } else if (entry >= 0) {
        m_replaced[entry] = toFileText(value);
    } else {
        const auto id = static_cast<std::int32_t>(m_entries.size() + m_addedEntries.size());
        m_addedEntries.push_back({s, keyName.toByteArray(), toFileText(value)});
        m_entryIndex.insert(hash, id);
        m_appended[s].push_back(id);
    }
}

QByteArray IniDocument::toBytes() const
{
    struct Patch {
        qint64 at;
        qint64 resume;  // where the original bytes go on
        bool insert;    // inserts at an offset follow a replacement there
        QByteArray text;
    };
    std::vector<Patch> patches;
    patches.reserve(m_replaced.size() + m_appended.size());
    qint64 extra = 0;

    for (const auto& [entry, value] : m_replaced) {
        const LineParts l = lineAt(m_entries[entry].keyBegin);
        Patch p{l.valueBegin, l.valueEnd, false, value};
        if (l.equals < 0)
            p.text.prepend('=');
        extra += p.text.size();
        patches.push_back(std::move(p));
    }
    auto keyLines = [&](const std::vector<std::int32_t>& ids) {
        QByteArray text;
        for (std::int32_t id : ids) {
            const AddedEntry& e = m_addedEntries[id - m_entries.size()];
            text += e.key + '=' + e.value + m_lineEnd;
        }
        return text;
    };
    const auto parsedSections = static_cast<std::int32_t>(m_sections.size());
    for (const auto& [section, ids] : m_appended) {
        if (section >= parsedSections)
            continue;
        const qint64 at = m_sections[section].insertAt;
        QByteArray text = keyLines(ids);
        const char before = m_bytes.at(at - 1);
        if (before != '\n' && before != '\r')  // the last line of the file had no line end
            text.prepend(m_lineEnd);
        extra += text.size();
        patches.push_back({at, at, true, std::move(text)});
    }
    std::sort(patches.begin(), patches.end(), [](const Patch& a, const Patch& b) {
        return a.at != b.at ? a.at < b.at : (!a.insert && b.insert);
    });

    QByteArray out;
    out.reserve(m_bytes.size() + extra + 64);
    qint64 pos = 0;
    for (const Patch& p : patches) {
        out.append(m_bytes.constData() + pos, p.at - pos);
        out.append(p.text);
        pos = p.resume;
    }
    out.append(m_bytes.constData() + pos, m_bytes.size() - pos);

    for (std::size_t i = 0; i < m_addedSections.size(); ++i) {
        if (out.size() > m_start && !out.endsWith('\n') && !out.endsWith('\r'))
            out.append(m_lineEnd);
        out += '[' + m_addedSections[i] + ']' + m_lineEnd;
        if (auto it = m_appended.find(static_cast<std::int32_t>(m_sections.size() + i));
            it != m_appended.end())
            out += keyLines(it->second);
    }
    return out;
}
