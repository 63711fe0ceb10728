// SettingsDocument: a whole settings file of groups, keys and comments held in memory,
// read in one read and written back in one write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvenix {

class SettingsDocument {
  public:
    struct Entry {
        enum class Kind { group, comment, key };
        Kind kind;
        std::string name;   // group name, comment text or key (UTF-8)
        std::string value;  // key entries only
    };

    SettingsDocument() = default;
    ~SettingsDocument();
    SettingsDocument(const SettingsDocument&) = delete;
    SettingsDocument& operator=(const SettingsDocument&) = delete;

    bool open(const std::string& fileName);
    bool create(const std::string& fileName);
    bool selectGroup(std::string_view name);

    std::string readString(std::string_view key, std::string_view fallback) const;
    double readDouble(std::string_view key, double fallback) const;
    float readFloat(std::string_view key, float fallback) const;
    std::int32_t readInteger(std::string_view key, std::int32_t fallback) const;

    void writeString(std::string_view key, std::string_view value);
    void writeDouble(std::string_view key, double value);
    void writeFloat(std::string_view key, float value);
    void writeInteger(std::string_view key, std::int32_t value);
    void addComment(std::string_view text);

    // Writes the file if modified (and not read-only), closes it, empties the document.
    void close();

    bool isOpen() const { return fd_ >= 0; }
    bool readOnly() const { return readOnly_; }
    bool modified() const { return modified_; }
    bool writeMark() const { return writeMark_; }
    const std::vector<Entry>& entries() const { return entries_; }

  private:
    std::size_t groupBegin() const;  // first entry after currentGroup (or 0)
    std::size_t groupEnd() const;    // next group header after groupBegin, or the end
    std::optional<std::size_t> findKey(std::string_view key) const;
    const std::string* findValue(std::string_view key) const;  // null: the read's default
    void insertEntry(std::size_t position, Entry entry);
    void appendPendingGroup();

    int fd_ = -1;
    bool readOnly_ = false;
    bool writeMark_ = false;
    bool modified_ = false;
    std::vector<Entry> entries_;
    std::optional<std::size_t> currentGroup_;
    std::optional<std::size_t> insertionPoint_;
    std::optional<std::string> pendingGroup_;
};

}  // namespace tarvenix
