// A platform service that tests can replace: the program's own one unless a
// test installed another (not owned) in its place.
#pragma once

#include <utility>

namespace vorlan {

template <typename Service>
Service*& InstalledService() {
    static Service* installed = nullptr;
    return installed;
}

template <typename Service>
Service& ServiceInUse(Service& own) {
    Service* installed = InstalledService<Service>();
    return installed ? *installed : own;
}

// Installs `service`; nullptr brings back the program's own. Returns the
// service installed before.
template <typename Service>
Service* InstallService(Service* service) {
    return std::exchange(InstalledService<Service>(), service);
}

}  // namespace vorlan
