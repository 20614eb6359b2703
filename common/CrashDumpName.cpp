#include "common/CrashDumpName.h"

namespace {

// Appends to a fixed buffer and remembers whether everything fitted, terminator included.
class NameBuffer {
  public:
    NameBuffer(char* text, size_t capacity) : text_(text), capacity_(capacity) {}

    void Add(char c) {
        if (length_ + 1 < capacity_) {
            text_[length_++] = c;
        } else {
            full_ = true;
        }
    }
    void Add(const char* text) {
        for (; *text != '\0'; ++text) {
            Add(*text);
        }
    }
    void AddNumber(int value) {
        char digits[12];
        int count = 0;
        unsigned rest = value < 0 ? 0u : static_cast<unsigned>(value);
        do {
            digits[count++] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        } while (rest != 0);
        while (count > 0) {
            Add(digits[--count]);
        }
    }
    bool Finish() {
        if (capacity_ == 0) {
            return false;
        }
        text_[full_ ? 0 : length_] = '\0';
        return !full_;
    }

  private:
    char* text_;
    size_t capacity_;
    size_t length_ = 0;
    bool full_ = false;
};

}  // namespace

bool FormatCrashDumpName(const char* prefix, const CivilTime& time, char* name, size_t capacity) {
    NameBuffer buffer(name, capacity);
    buffer.Add(prefix);
    buffer.Add('_');
    buffer.AddNumber(time.month);
    buffer.Add('-');
    buffer.AddNumber(time.day);
    buffer.Add('_');
    buffer.AddNumber(time.hour);
    buffer.Add('-');
    buffer.AddNumber(time.minute);
    buffer.Add('-');
    buffer.AddNumber(time.second);
    buffer.Add(".dmp");
    return buffer.Finish();
}
