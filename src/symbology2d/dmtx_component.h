#pragma once
// The DataMatrix encoder's small component model: results are reference-counted objects
// reached through interfaces named by 128-bit identifiers, and every operation reports its
// outcome as a 32-bit result code.
#include <cstdint>
#include <utility>

namespace brindle2::dmtxencode {

using HRESULT = std::int32_t;

inline constexpr HRESULT kOk = 0;

// Failures of the encoder: 0x80510000 + n.
constexpr HRESULT EncoderFailure(int n) {
  return static_cast<HRESULT>(0x80510000U + static_cast<std::uint32_t>(n));
}
inline constexpr HRESULT kTooMuchData = EncoderFailure(1);
inline constexpr HRESULT kNoSizeHoldsData = EncoderFailure(3);
inline constexpr HRESULT kStructuredAppendMissingField = EncoderFailure(9);
inline constexpr HRESULT kStructuredAppendInvalidBlock = EncoderFailure(10);
inline constexpr HRESULT kStructuredAppendInvalidPosition = EncoderFailure(11);
inline constexpr HRESULT kStructuredAppendInvalidTotal = EncoderFailure(12);
inline constexpr HRESULT kStructuredAppendInvalidFileId = EncoderFailure(13);
inline constexpr HRESULT kNoProgress = EncoderFailure(100);

// The n of an encoder failure, or -1 for any other code.
constexpr int EncoderFailureNumber(HRESULT code) {
  const auto value = static_cast<std::uint32_t>(code);
  return (value & 0xFFFF0000U) == 0x80510000U ? static_cast<int>(value & 0xFFFFU) : -1;
}

// Failures of the component model itself.
inline constexpr HRESULT kNoInterface = static_cast<HRESULT>(0x80004002U);
inline constexpr HRESULT kInvalidPointer = static_cast<HRESULT>(0x80004003U);
inline constexpr HRESULT kOutOfMemory = static_cast<HRESULT>(0x8007000EU);

struct InterfaceId {
  std::uint32_t data1;
  std::uint16_t data2;
  std::uint16_t data3;
  std::uint8_t data4[8];
  friend bool operator==(const InterfaceId&, const InterfaceId&) = default;
};

// Interface discovery and reference counting, shared by every interface below.
class IObjectBase {
 public:
  IObjectBase(const IObjectBase&) = delete;
  IObjectBase& operator=(const IObjectBase&) = delete;
  // On success stores the interface named by `iid` in `*object` with a new reference.
  virtual HRESULT QueryInterface(const InterfaceId& iid, void** object) = 0;
  virtual std::uint32_t AddRef() = 0;
  virtual std::uint32_t Release() = 0;

 protected:
  IObjectBase() = default;
  ~IObjectBase() = default;
};

// The module matrix of a symbol.
class I2DBitPattern : public IObjectBase {
 public:
  static constexpr InterfaceId kIid{0xB574D7E9, 0x3F68, 0x43F3, {0xB8, 0x58, 0x4B, 0xE1, 0x88, 0x51, 0xA2, 0x5F}};
  [[nodiscard]] virtual int GetRowCount() const = 0;
  [[nodiscard]] virtual int GetColumnCount() const = 0;
  // True for a dark module; row and column count from the top-left corner.
  [[nodiscard]] virtual bool GetModule(int row, int column) const = 0;

 protected:
  ~I2DBitPattern() = default;
};

// What the encoding chose: the symbol size and the data codewords before padding.
class IDmtxEncodeResult : public IObjectBase {
 public:
  static constexpr InterfaceId kIid{0xCDCC5973, 0x5DB0, 0x40D3, {0x97, 0x1C, 0xB9, 0x81, 0xC7, 0xD0, 0x52, 0x0B}};
  [[nodiscard]] virtual int GetSizeIndex() const = 0;
  [[nodiscard]] virtual const std::uint8_t* GetDataCodewords() const = 0;
  [[nodiscard]] virtual int GetDataCodewordCount() const = 0;

 protected:
  ~IDmtxEncodeResult() = default;
};

// One pointer-sized value that a caller may attach to a result.
class IUserData : public IObjectBase {
 public:
  static constexpr InterfaceId kIid{0x2442CFD5, 0x7A95, 0x4ABD, {0xB1, 0x1F, 0x6E, 0x4D, 0xEF, 0xB7, 0xD4, 0xFC}};
  [[nodiscard]] virtual void* GetUserData() const = 0;
  virtual void SetUserData(void* data) = 0;

 protected:
  ~IUserData() = default;
};

// Holds the reference count of an object; a new object starts with one reference, its
// creator's.
class ComObjectRoot {
 public:
  ComObjectRoot(const ComObjectRoot&) = delete;
  ComObjectRoot& operator=(const ComObjectRoot&) = delete;

 protected:
  ComObjectRoot() = default;
  ~ComObjectRoot() = default;
  std::uint32_t InternalAddRef() { return ++references_; }
  std::uint32_t InternalRelease() { return --references_; }

 private:
  std::uint32_t references_ = 1;
};

// Owns one reference to an interface and releases it when it goes.
template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  explicit ComPtr(Interface* adopted) : object_(adopted) {}
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  ~ComPtr() { Reset(); }

  void Reset() {
    if (object_ != nullptr) {
      std::exchange(object_, nullptr)->Release();
    }
  }
  // For out parameters: releases what is held and lends the slot.
  Interface** Put() {
    Reset();
    return &object_;
  }
  Interface* Detach() { return std::exchange(object_, nullptr); }
  Interface* Get() const { return object_; }
  Interface* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // Another interface of the same object, or an empty pointer when it has none.
  template <class Other>
  ComPtr<Other> As() const {
    ComPtr<Other> other;
    if (object_ != nullptr) {
      object_->QueryInterface(Other::kIid, reinterpret_cast<void**>(other.Put()));
    }
    return other;
  }

 private:
  Interface* object_ = nullptr;
};

}  // namespace brindle2::dmtxencode
