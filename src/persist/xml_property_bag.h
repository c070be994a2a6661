#pragma once
// CXMLPropertyBag: the property bag behind the XML property file. It lives for one save or
// load, holds one document for the length of that call, and speaks the property-bag protocol
// relative to the element on top of its stack of current elements.
//
// The document: the element "Object" with the attribute "clsid" (the object's class identifier,
// braced upper-case text), then one child element per value the object writes, in its order,
// named by EncodeElementName (xml_text.h) and carrying "vt", the value's variant type in
// decimal. Texts are the element's text; other plain values are their ValueText. A font (vt 9
// or 13) is an element with "vt" then "clsid" and the font's own values as child elements; an
// absent object is an element with only "vt". Output is UTF-8 with an XML declaration.
//
// Reading a name takes the first child element of that name: none gives an empty value and
// S_OK; a missing or non-numeric "vt", or a text that does not convert to the type "vt" names,
// fails (the caller skips the value). The value comes back in the file's type, not the type the
// caller asked for. An object element creates only a font: any other class, the all-zero one
// included, gives an empty object. A record (vt 36) never reads: no record type is registered.
//
// Files are untrusted. No DOCTYPE, entity or external resource is expanded or fetched; the
// parser and every walk of the tree are iterative, so nesting depth costs no stack; a document
// with more than 65,536 tags is refused before parsing, so the tree stays small. A text that
// XML 1.0 cannot carry (most C0 controls) makes the write fail rather than produce a file that
// other readers refuse; a carriage return is written as a character reference so that it
// survives line-end normalisation.
//
// Starting a save or a load while a document is held (from inside an object's own Save or
// Load) is E_UNEXPECTED, as is Read or Write with no current element.
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/com/property_bag.h"
#include "platform/image/byte_sink.h"

namespace pugi {
class xml_document;
class xml_node;
}  // namespace pugi

namespace linnet::persist {

class CXMLPropertyBag final : public PropertyBag {
 public:
  CXMLPropertyBag();
  ~CXMLPropertyBag() override;

  // Builds a new document from `object`'s property-bag save (asked to clear its modified flag
  // and to save all values) and writes it to `sink`. A failed save or write returns its error;
  // what reached the sink by then is the caller's to discard.
  HRESULT SaveObject(PersistPropertyBag& object, image::ByteSink& sink);

  // Parses `document` and loads `object` from its first "Object" element in document order.
  // E_FAIL when the text is not XML, holds too much markup or no "Object"; DISP_E_TYPEMISMATCH when its "clsid"
  // is missing or not a braced class identifier; an all-zero "clsid" loads nothing (S_OK). The
  // class named is not compared with the object's own.
  HRESULT LoadObject(std::span<const std::uint8_t> document, PersistPropertyBag& object);

  HRESULT Read(std::u16string_view name, Variant& value) override;
  HRESULT Write(std::u16string_view name, const Variant& value) override;

 private:
  class CurrentElement;
  class HeldDocument;

  HRESULT ReadObject(const pugi::xml_node& element, Variant& value);
  HRESULT WriteObject(pugi::xml_node& element, const Variant& value);

  std::unique_ptr<pugi::xml_document> document_;
  std::vector<pugi::xml_node> current_;
};

}  // namespace linnet::persist
