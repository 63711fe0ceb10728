// SettingsDocument: parsing, finding, inserting and writing back "Tarvenix.ini"-style
// files, with the POSIX file handling that keeps a second Tarvenix from overwriting them.
#include "app/settings/settingsdocument.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "platform/numbertext.h"

namespace tarvenix {

namespace {

bool isBlankOrTab(char c) {
    return c == ' ' || c == '\t';
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Only A to Z fold: bytes of UTF-8 sequences must never match each other by accident.
bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view trimBlanksAndTabs(std::string_view text) {
    while (!text.empty() && isBlankOrTab(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlankOrTab(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string latin1ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text.push_back(c);
        } else {
            text.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            text.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return text;
}

// One line without its line end; appends at most one entry.
void parseLine(std::string_view line, std::vector<SettingsDocument::Entry>& entries) {
    using Kind = SettingsDocument::Entry::Kind;
    while (!line.empty() && isBlankOrTab(line.front())) {
        line.remove_prefix(1);
    }
    if (line.empty()) {
        return;
    }
    if (line.front() == ';') {
        line.remove_prefix(1);
        if (!line.empty() && line.front() == ' ') {
            line.remove_prefix(1);
        }
        entries.push_back({Kind::comment, std::string(line), {}});
        return;
    }
    if (line.front() == '[') {
        line.remove_prefix(1);
        entries.push_back({Kind::group, std::string(line.substr(0, line.find(']'))), {}});
        return;
    }
    const std::size_t equals = line.find('=');
    std::string_view key = line.substr(0, equals);
    while (!key.empty() && isBlankOrTab(key.back())) {
        key.remove_suffix(1);
    }
    std::string_view value;
    if (equals != std::string_view::npos) {
        value = line.substr(equals + 1);
        while (!value.empty() && isBlankOrTab(value.front())) {
            value.remove_prefix(1);
        }
    }
    entries.push_back({Kind::key, std::string(key), std::string(value)});
}

std::vector<SettingsDocument::Entry> parseText(std::string_view text) {
    std::vector<SettingsDocument::Entry> entries;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        const std::size_t lineEnd = end == std::string_view::npos ? text.size() : end;
        parseLine(text.substr(pos, lineEnd - pos), entries);
        pos = text.find_first_not_of("\r\n", lineEnd);
        if (pos == std::string_view::npos) {
            break;
        }
    }
    return entries;
}

std::string composeText(const std::vector<SettingsDocument::Entry>& entries, bool writeMark) {
    using Kind = SettingsDocument::Entry::Kind;
    std::string text;
    if (writeMark) {
        text += "\xEF\xBB\xBF\r\n";
    }
    for (const auto& entry : entries) {
        switch (entry.kind) {
            case Kind::group:
                text += '[';
                text += entry.name;
                text += ']';
                break;
            case Kind::comment:
                text += "; ";
                text += entry.name;
                break;
            case Kind::key:
                text += entry.name;
                text += " = ";
                text += entry.value;
                break;
        }
        text += "\r\n";
    }
    return text;
}

// The special texts of the settings file for values "%.64g" and "%f" would spell
// "inf" or "nan"; empty for finite values.
std::string_view specialValueText(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "+Infinity" : "-Infinity";
    }
    return {};
}

// O_NONBLOCK only keeps a FIFO from blocking the open; only regular files are used.
int openRegularFile(const std::string& fileName, int flags, mode_t mode = 0) {
    const int fd = ::open(fileName.c_str(), flags | O_CLOEXEC | O_NONBLOCK, mode);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// One read of the whole file; the buffer has a byte to spare, so the end of the file
// shows as a short read followed by a read of 0 bytes, and a file that grew is still
// read whole.
bool readWholeFile(int fd, std::string& bytes) {
    struct stat info {};
    const std::size_t expected =
        ::fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    bytes.assign(expected + 1, '\0');
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t n =
            ::pread(fd, bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            bytes.clear();
            return false;
        }
        if (n == 0) {
            bytes.resize(got);
            return true;
        }
        got += static_cast<std::size_t>(n);
    }
}

bool writeWholeFile(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

}  // namespace

SettingsDocument::~SettingsDocument() {
    close();
}

bool SettingsDocument::open(const std::string& fileName) {
    close();
    int fd = openRegularFile(fileName, O_RDWR);
    bool readOnly = false;
    // The lock is what keeps a second running Tarvenix from writing over this file;
    // when it is held elsewhere we still load, but never write.
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        fd = -1;
    }
    if (fd < 0) {
        fd = openRegularFile(fileName, O_RDONLY);
        readOnly = true;
    }
    if (fd < 0) {
        return false;
    }

    std::string bytes;
    if (!readWholeFile(fd, bytes)) {
        // The file is there but unreadable: keep it open read-only so that nobody
        // creates it anew over the old content.
        if (!readOnly) {
            ::flock(fd, LOCK_UN);
        }
        readOnly = true;
        bytes.clear();
    }

    fd_ = fd;
    readOnly_ = readOnly;
    modified_ = false;
    currentGroup_.reset();
    insertionPoint_.reset();
    pendingGroup_.reset();
    if (bytes.empty()) {
        writeMark_ = false;
        entries_.clear();
    } else if (bytes.size() > 2 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        writeMark_ = true;
        entries_ = parseText(std::string_view(bytes).substr(3));
    } else {
        writeMark_ = true;
        entries_ = parseText(latin1ToUtf8(bytes));
    }
    return true;
}

bool SettingsDocument::create(const std::string& fileName) {
    close();
    // No O_TRUNC: the file is cut only once the lock shows no other Tarvenix holds it.
    const int fd = openRegularFile(fileName, O_RDWR | O_CREAT, 0666);
    if (fd < 0) {
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    ::ftruncate(fd, 0);
    fd_ = fd;
    readOnly_ = false;
    writeMark_ = true;
    modified_ = false;
    entries_.clear();
    currentGroup_.reset();
    insertionPoint_.reset();
    pendingGroup_.reset();
    return true;
}

bool SettingsDocument::selectGroup(std::string_view name) {
    if (name.empty()) {
        currentGroup_.reset();
        insertionPoint_.reset();
        pendingGroup_.reset();
        return true;
    }
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].kind == Entry::Kind::group &&
            equalIgnoringAsciiCase(entries_[i].name, name)) {
            currentGroup_ = i;
            insertionPoint_ = i;
            pendingGroup_.reset();
            return true;
        }
    }
    pendingGroup_ = std::string(name);
    return false;
}

std::size_t SettingsDocument::groupBegin() const {
    return currentGroup_ ? *currentGroup_ + 1 : 0;
}

std::size_t SettingsDocument::groupEnd() const {
    std::size_t i = groupBegin();
    while (i < entries_.size() && entries_[i].kind != Entry::Kind::group) {
        ++i;
    }
    return i;
}

std::optional<std::size_t> SettingsDocument::findKey(std::string_view key) const {
    const std::size_t end = groupEnd();
    for (std::size_t i = groupBegin(); i < end; ++i) {
        if (entries_[i].kind == Entry::Kind::key && equalIgnoringAsciiCase(entries_[i].name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

const std::string* SettingsDocument::findValue(std::string_view key) const {
    if (!isOpen() || pendingGroup_) {
        return nullptr;
    }
    const auto index = findKey(key);
    return index ? &entries_[*index].value : nullptr;
}

std::string SettingsDocument::readString(std::string_view key, std::string_view fallback) const {
    const std::string* value = findValue(key);
    return std::string(value ? trimBlanksAndTabs(*value) : fallback);
}

double SettingsDocument::readDouble(std::string_view key, double fallback) const {
    const std::string* value = findValue(key);
    if (!value) {
        return fallback;
    }
    if (equalIgnoringAsciiCase(*value, "+Infinity")) {
        return std::numeric_limits<double>::infinity();
    }
    if (equalIgnoringAsciiCase(*value, "-Infinity")) {
        return -std::numeric_limits<double>::infinity();
    }
    if (equalIgnoringAsciiCase(*value, "NaN")) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return parseCDouble(*value);
}

float SettingsDocument::readFloat(std::string_view key, float fallback) const {
    if (!findValue(key)) {
        return fallback;
    }
    // IEEE narrowing: values beyond the single range become infinities.
    return static_cast<float>(readDouble(key, 0.0));
}

std::int32_t SettingsDocument::readInteger(std::string_view key, std::int32_t fallback) const {
    const std::string* value = findValue(key);
    if (!value) {
        return fallback;
    }
    // The low 32 bits of the 64-bit value, as every 32-bit store of a parsed integer.
    return low32Bits(parseCInteger(*value));
}

void SettingsDocument::insertEntry(std::size_t position, Entry entry) {
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(position), std::move(entry));
    if (currentGroup_ && *currentGroup_ >= position) {
        ++*currentGroup_;
    }
    if (insertionPoint_ && *insertionPoint_ >= position) {
        ++*insertionPoint_;
    }
}

void SettingsDocument::appendPendingGroup() {
    if (!pendingGroup_) {
        return;
    }
    entries_.push_back({Entry::Kind::group, std::move(*pendingGroup_), {}});
    pendingGroup_.reset();
    currentGroup_ = entries_.size() - 1;
    insertionPoint_ = currentGroup_;
}

void SettingsDocument::writeString(std::string_view key, std::string_view value) {
    if (!isOpen()) {
        return;
    }
    appendPendingGroup();
    std::size_t index = 0;
    if (const auto found = findKey(key)) {
        index = *found;
        entries_[index].name = std::string(key);
        entries_[index].value = std::string(value);
    } else {
        index = groupEnd();
        insertEntry(index, {Entry::Kind::key, std::string(key), std::string(value)});
    }
    insertionPoint_ = index;
    modified_ = true;
}

void SettingsDocument::writeDouble(std::string_view key, double value) {
    const std::string_view special = specialValueText(value);
    writeString(key, special.empty() ? formatGeneral64(value) : std::string(special));
}

void SettingsDocument::writeFloat(std::string_view key, float value) {
    const double wide = value;
    const std::string_view special = specialValueText(wide);
    writeString(key, special.empty() ? formatFixed(wide, 6) : std::string(special));
}

void SettingsDocument::writeInteger(std::string_view key, std::int32_t value) {
    writeString(key, formatInteger(value));
}

void SettingsDocument::addComment(std::string_view text) {
    if (!isOpen()) {
        return;
    }
    appendPendingGroup();
    const std::size_t index = insertionPoint_ ? *insertionPoint_ + 1 : 0;
    insertEntry(index, {Entry::Kind::comment, std::string(text), {}});
    insertionPoint_ = index;
    modified_ = true;
}

void SettingsDocument::close() {
    if (fd_ >= 0) {
        if (modified_ && !readOnly_) {
            const std::string text = composeText(entries_, writeMark_);
            // Cut only after a complete write, so a failed write never also loses the tail.
            if (writeWholeFile(fd_, text)) {
                ::ftruncate(fd_, static_cast<off_t>(text.size()));
            }
            ::fsync(fd_);
        }
        ::close(fd_);  // also releases the lock
    }
    fd_ = -1;
    readOnly_ = false;
    writeMark_ = false;
    modified_ = false;
    entries_.clear();
    currentGroup_.reset();
    insertionPoint_.reset();
    pendingGroup_.reset();
}

}  // namespace tarvenix
