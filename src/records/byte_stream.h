// tbyte_stream: the game's memory stream. Files are built in it and written whole, and every
// binary file is read through it: a read past the end never touches memory outside the data,
// it zero-fills the destination and marks the stream failed, so a loader can judge a damaged
// file once at the end. Used by the codec and by every loader and saver of binary files.
#pragma once
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <vector>

namespace dravok {

class tbyte_stream {
  public:
    tbyte_stream() = default;
    explicit tbyte_stream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}

    const std::vector<uint8_t>& bytes() const { return data_; }
    const uint8_t* data() const { return data_.data(); }
    std::size_t size() const { return data_.size(); }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return data_.size() - pos_; }
    bool at_end() const { return pos_ >= data_.size(); }

    // True once any read ran past the end (or a caller marked the content bad).
    bool failed() const { return failed_; }
    void mark_failed() { failed_ = true; }

    void seek(std::size_t position) { pos_ = position < data_.size() ? position : data_.size(); }
    void rewind() { pos_ = 0; }
    // Empties the stream and clears the failure mark.
    void clear() {
        data_.clear();
        pos_ = 0;
        failed_ = false;
    }
    // Replaces the content; the position goes to 0.
    void assign(std::vector<uint8_t> bytes) {
        data_ = std::move(bytes);
        pos_ = 0;
        failed_ = false;
    }
    std::vector<uint8_t> take() {
        std::vector<uint8_t> out = std::move(data_);
        clear();
        return out;
    }

    // Writing overwrites from the position and grows the stream as needed.
    void write(const void* source, std::size_t n) {
        if (n == 0) return;
        if (pos_ + n > data_.size()) data_.resize(pos_ + n);
        std::memcpy(data_.data() + pos_, source, n);
        pos_ += n;
    }
    void write_u8(uint8_t v) { write(&v, 1); }
    void write_u16(uint16_t v) { write(&v, 2); }
    void write_u32(uint32_t v) { write(&v, 4); }
    void write_i32(int32_t v) { write(&v, 4); }
    void write_u64(uint64_t v) { write(&v, 8); }
    void write_f64(double v) { write(&v, 8); }
    void write_text(std::string_view s) { write(s.data(), s.size()); }
    template <class T> void write_record(const T& record) {
        static_assert(std::is_trivially_copyable_v<T>);
        write(&record, sizeof(T));
    }

    // Bounded reads: all or nothing. A short read zero-fills, marks the stream failed and
    // leaves the position at the end.
    bool read(void* target, std::size_t n) {
        if (n > remaining()) {
            std::memset(target, 0, n);
            pos_ = data_.size();
            failed_ = true;
            return false;
        }
        if (n > 0) std::memcpy(target, data_.data() + pos_, n);
        pos_ += n;
        return true;
    }
    bool skip(std::size_t n) {
        if (n > remaining()) {
            pos_ = data_.size();
            failed_ = true;
            return false;
        }
        pos_ += n;
        return true;
    }
    uint8_t read_u8() { return read_value<uint8_t>(); }
    uint16_t read_u16() { return read_value<uint16_t>(); }
    int16_t read_i16() { return read_value<int16_t>(); }
    uint32_t read_u32() { return read_value<uint32_t>(); }
    int32_t read_i32() { return read_value<int32_t>(); }
    uint64_t read_u64() { return read_value<uint64_t>(); }
    double read_f64() { return read_value<double>(); }
    template <class T> bool read_record(T& record) {
        static_assert(std::is_trivially_copyable_v<T>);
        return read(&record, sizeof(T));
    }

    // Whether count records of record_size bytes fit in what is left: the test before any
    // allocation sized by a count read from a file.
    bool fits(uint64_t count, std::size_t record_size) const {
        if (record_size == 0) return true;
        return count <= remaining() / record_size;
    }

  private:
    template <class T> T read_value() {
        T v;
        read(&v, sizeof(T));
        return v;
    }

    std::vector<uint8_t> data_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

} // namespace dravok
