#include "persist/xml_property_bag.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <pugixml.hpp>
#include <string>

#include "persist/xml_text.h"
#include "platform/codepage.h"
#include "platform/com/font_persist.h"
#include "platform/log.h"

namespace linnet::persist {

namespace {

constexpr std::string_view kLogTag = "[xml-bag] ";

// One whole line of the diagnostic log.
void Note(const std::string& text) {
  log::Write(kLogTag, text + "\n");
}
constexpr const char* kObjectElement = "Object";
constexpr const char* kClassAttribute = "clsid";
constexpr const char* kTypeAttribute = "vt";
constexpr std::uint16_t kRecordType = 36;
// A property file holds some seventy elements; a tree node costs pugixml tens of bytes, so a file
// of nothing but tags would cost twenty times its size. More markup than this is refused unparsed.
constexpr std::ptrdiff_t kMaxMarkup = 65536;
// The platform's answer when a type library cannot be found: no record type is registered here.
constexpr HRESULT kTypeLibraryNotRegistered = static_cast<HRESULT>(0x8002801DU);

// Whitespace-only text is kept when it is an element's whole content (a Message of spaces);
// DOCTYPE declarations are skipped and entities other than XML's own are left as written.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

// pugixml writes through a writer that cannot fail, so the first failure of the sink sticks
// and is checked after the save. A raw carriage return can only come from a text (the
// indentation uses line feeds), and every XML reader turns it into a line feed: it leaves as
// a character reference.
class SinkXmlWriter final : public pugi::xml_writer {
 public:
  explicit SinkXmlWriter(image::ByteSink& sink) : sink_(sink) {}

  void write(const void* data, size_t size) override {
    const char* bytes = static_cast<const char*>(data);
    while (ok_ && size > 0) {
      const void* found = std::memchr(bytes, '\r', size);
      const size_t run = found == nullptr ? size : static_cast<size_t>(static_cast<const char*>(found) - bytes);
      ok_ = sink_.Write(bytes, run);
      if (ok_ && found != nullptr) {
        ok_ = sink_.Write("&#13;", 5);
        ++bytes;
        --size;
      }
      bytes += run;
      size -= run;
    }
  }

  [[nodiscard]] bool Ok() const { return ok_; }

 private:
  image::ByteSink& sink_;
  bool ok_ = true;
};

HRESULT ClassOf(const pugi::xml_node& element, Guid& classId) {
  const pugi::xml_attribute attribute = element.attribute(kClassAttribute);
  const auto parsed = attribute ? GuidFromText(Utf8ToWide(attribute.value())) : std::nullopt;
  if (!parsed) {
    return DISP_E_TYPEMISMATCH;
  }
  classId = *parsed;
  return S_OK;
}

// "vt" as a 16-bit number, read the way any other value is converted.
HRESULT TypeOf(const pugi::xml_node& element, std::uint16_t& type) {
  const pugi::xml_attribute attribute = element.attribute(kTypeAttribute);
  if (!attribute) {
    return DISP_E_TYPEMISMATCH;
  }
  Variant number;
  if (const HRESULT hr = ChangeType(Variant::Text(Utf8ToWide(attribute.value())), number, VT_I2); Failed(hr)) {
    return hr;
  }
  type = static_cast<std::uint16_t>(number.AsLong());
  return S_OK;
}

}  // namespace

// Pushes an element for one scope; popping on the way out whatever the outcome.
class CXMLPropertyBag::CurrentElement {
 public:
  CurrentElement(CXMLPropertyBag& bag, const pugi::xml_node& element) : bag_(bag) { bag_.current_.push_back(element); }
  ~CurrentElement() { bag_.current_.pop_back(); }
  CurrentElement(const CurrentElement&) = delete;
  CurrentElement& operator=(const CurrentElement&) = delete;

 private:
  CXMLPropertyBag& bag_;
};

// Holds a fresh document for one save or load; releases it however the call ends.
class CXMLPropertyBag::HeldDocument {
 public:
  explicit HeldDocument(CXMLPropertyBag& bag) : bag_(bag) { bag_.document_ = std::make_unique<pugi::xml_document>(); }
  ~HeldDocument() { bag_.document_.reset(); }
  HeldDocument(const HeldDocument&) = delete;
  HeldDocument& operator=(const HeldDocument&) = delete;

 private:
  CXMLPropertyBag& bag_;
};

CXMLPropertyBag::CXMLPropertyBag() = default;
CXMLPropertyBag::~CXMLPropertyBag() = default;

HRESULT CXMLPropertyBag::SaveObject(PersistPropertyBag& object, image::ByteSink& sink) {
  if (document_) {
    return E_UNEXPECTED;
  }
  try {
    const HeldDocument held(*this);

    pugi::xml_node root = document_->append_child(kObjectElement);
    root.append_attribute(kClassAttribute).set_value(WideToUtf8(GuidToText(object.ClassId())).c_str());
    {
      const CurrentElement scope(*this, root);
      if (const HRESULT hr = object.Save(*this, true, true); Failed(hr)) {
        return hr;
      }
    }
    SinkXmlWriter writer(sink);
    document_->save(writer, "\t", pugi::format_default, pugi::encoding_utf8);
    return writer.Ok() ? S_OK : E_FAIL;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT CXMLPropertyBag::LoadObject(std::span<const std::uint8_t> text, PersistPropertyBag& object) {
  if (document_) {
    return E_UNEXPECTED;
  }
  try {
    const HeldDocument held(*this);

    if (std::count(text.begin(), text.end(), std::uint8_t{'<'}) > kMaxMarkup) {
      Note("refused: more markup than a property file holds");
      return E_FAIL;
    }
    const pugi::xml_parse_result parsed =
        document_->load_buffer(text.data(), text.size(), kParseOptions, pugi::encoding_auto);
    if (!parsed) {
      Note(std::string("not XML: ") + parsed.description() + " at offset " + std::to_string(parsed.offset));
      return E_FAIL;
    }
    const pugi::xml_node root = document_->find_node([](const pugi::xml_node& node) {
      return node.type() == pugi::node_element && std::strcmp(node.name(), kObjectElement) == 0;
    });
    if (!root) {
      Note("no Object element");
      return E_FAIL;
    }
    Guid classId;
    if (const HRESULT hr = ClassOf(root, classId); Failed(hr)) {
      Note("Object has no valid clsid");
      return hr;
    }
    if (classId.IsNull()) {
      return S_OK;
    }
    const CurrentElement scope(*this, root);
    return object.Load(*this);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT CXMLPropertyBag::Write(std::u16string_view name, const Variant& value) {
  if (current_.empty()) {
    return E_UNEXPECTED;
  }
  if ((value.Type() & VT_BYREF) != 0) {
    return E_INVALIDARG;
  }
  const auto elementName = EncodeElementName(name);
  if (!elementName) {
    return E_INVALIDARG;
  }
  pugi::xml_node parent = current_.back();
  pugi::xml_node element = parent.append_child(elementName->c_str());
  element.append_attribute(kTypeAttribute).set_value(static_cast<unsigned>(value.Type()));

  HRESULT hr = S_OK;
  if (value.Type() == VT_DISPATCH || value.Type() == VT_UNKNOWN) {
    hr = WriteObject(element, value);
  } else {
    std::u16string text;
    hr = ValueText(value, text);
    if (Succeeded(hr) && !CarriesInXml(text)) {
      Note(*elementName + " holds a character XML 1.0 cannot carry; the binary form can");
      hr = E_INVALIDARG;
    }
    if (Succeeded(hr) && !text.empty()) {
      element.text().set(WideToUtf8(text).c_str());
    }
  }
  if (Failed(hr)) {
    parent.remove_child(element);
  }
  return hr;
}

HRESULT CXMLPropertyBag::WriteObject(pugi::xml_node& element, const Variant& value) {
  const FontPtr font = value.AsFont();
  if (!font) {
    // An absent object is its type alone; any other object here offers no bag form.
    return value.AsStream() ? E_NOINTERFACE : S_OK;
  }
  const auto persistence = FontBagPersistence(font);
  const CurrentElement scope(*this, element);
  element.append_attribute(kClassAttribute).set_value(WideToUtf8(GuidToText(persistence->ClassId())).c_str());
  return persistence->Save(*this, true, true);
}

HRESULT CXMLPropertyBag::Read(std::u16string_view name, Variant& value) {
  if (current_.empty()) {
    return E_UNEXPECTED;
  }
  const auto elementName = EncodeElementName(name);
  if (!elementName) {
    return E_INVALIDARG;
  }
  const pugi::xml_node element = current_.back().child(elementName->c_str());
  if (!element) {
    value = Variant();
    return S_OK;
  }
  std::uint16_t type = 0;
  if (const HRESULT hr = TypeOf(element, type); Failed(hr)) {
    return hr;
  }
  switch (type) {
    case VT_EMPTY:
      value = Variant();
      return S_OK;
    case VT_BSTR:
      value = Variant::Text(Utf8ToWide(element.text().get()));
      return S_OK;
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return ReadObject(element, value);
    case kRecordType:
      return kTypeLibraryNotRegistered;
    default:
      return ChangeType(Variant::Text(Utf8ToWide(element.text().get())), value, static_cast<VarType>(type));
  }
}

HRESULT CXMLPropertyBag::ReadObject(const pugi::xml_node& element, Variant& value) {
  Guid classId;
  if (const HRESULT hr = ClassOf(element, classId); Failed(hr)) {
    return hr;
  }
  const FontPtr font = CreateObjectOfClass(classId);
  if (font) {
    const auto persistence = FontBagPersistence(font);
    const CurrentElement scope(*this, element);
    if (const HRESULT hr = persistence->InitNew(); Failed(hr)) {
      return hr;
    }
    if (const HRESULT hr = persistence->Load(*this); Failed(hr)) {
      return hr;
    }
  }
  value = Variant::Font(font);
  return S_OK;
}

}  // namespace linnet::persist
