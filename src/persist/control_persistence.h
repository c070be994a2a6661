#pragma once
// The control's persistence protocols, all driven by the persisted property set
// (persisted_set.h) and all loading through the ordinary setters, so a load obeys every rule a
// setter has:
//
// - Stream: version 0x00003000 (0x00000710 is read too), the extent, then one value record per
//   property in the set's order (value_record.h). A load stops at the first entry that cannot
//   be read (the stream's error, or E_FAIL when it runs short) or that its setter refuses
//   (E_FAIL); the entries before it stay loaded. An unknown version is E_FAIL before anything
//   changes. A save writes every record; it leaves the modified flag as it is.
// - Compound file: the stream form as the stream "Contents" of an OLE2 compound file whose class
//   identifier is the control's; a load does not check that identifier.
// - Property bag: every persisted name read with the type the property holds; a name the bag
//   lacks or cannot convert is skipped; a refusing setter ends the load with E_FAIL. A save
//   writes every value, except a font property that holds no font.
//
// While a stream or bag load runs, the control's loading flag is set (a change of Measurement
// converts no length) and its events are frozen (no host may veto); both come back however the
// load ends. A load that succeeds clears the modified flag; initialise-new sets it.
// Files are untrusted: only the font class is ever created from one.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/com/byte_stream.h"
#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/com/property_bag.h"

namespace linnet {
class CQlnBarcode;
}

namespace linnet::persist {

// The control's class identifier {CE4E8A38-9FB0-408E-B2DF-FEDC1E5086B4}.
inline constexpr Guid kControlClassId{0xCE4E8A38, 0x9FB0, 0x408E, {0xB2, 0xDF, 0xFE, 0xDC, 0x1E, 0x50, 0x86, 0xB4}};

HRESULT SaveToStream(CQlnBarcode& control, ByteStream& stream, bool clearDirty);
HRESULT LoadFromStream(CQlnBarcode& control, ByteStream& stream);
// The largest number of bytes SaveToStream writes for the current values.
HRESULT MaxStreamSize(CQlnBarcode& control, std::uint64_t* size);
HRESULT InitNew(CQlnBarcode& control);
HRESULT IsDirty(const CQlnBarcode& control);  // S_OK or S_FALSE

// A whole compound file in memory: class id set to kControlClassId, stream "Contents".
HRESULT SaveToCompoundFile(CQlnBarcode& control, std::vector<std::uint8_t>& file);
HRESULT LoadFromCompoundFile(CQlnBarcode& control, std::span<const std::uint8_t> file);

// The control's property-bag protocol (ClassId() == kControlClassId).
std::unique_ptr<PersistPropertyBag> BagPersistence(CQlnBarcode& control);

}  // namespace linnet::persist
