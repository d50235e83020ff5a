#include "hid/DeviceIdentity.h"

#include "hid/PathParsers.h"

namespace hid {

bool DeviceIdentity::SamePathValues(const DeviceIdentity& o) const {
    return VendorID == o.VendorID && ProductID == o.ProductID &&
           InterfaceNumber == o.InterfaceNumber && CollectionNumber == o.CollectionNumber;
}

bool DeviceIdentity::SameInterface(const DeviceIdentity& o) const {
    return SamePathValues(o) && UsagePage == o.UsagePage && Usage == o.Usage;
}

bool operator==(const DeviceIdentity& a, const DeviceIdentity& b) {
    return a.SameInterface(b) && a.Kind == b.Kind && a.Role == b.Role;
}

DeviceIdentity IdentityFromPath(const std::string& path) {
    DeviceIdentity id;
    id.VendorID = VendorFromPath(path);
    id.ProductID = ProductFromPath(path);
    id.InterfaceNumber = InterfaceFromPath(path);
    id.CollectionNumber = CollectionFromPath(path);
    id.Path = path;
    return id;
}

}  // namespace hid
