#include "DeviceUri.h"

namespace qrl {

std::string displayDeviceUri(const std::string& uri)
{
    const std::string::size_type scheme = uri.find("://");
    if (scheme == std::string::npos)
        return uri;
    const std::string::size_type authority = scheme + 3;
    std::string::size_type end = uri.find_first_of("/?#", authority);
    if (end == std::string::npos)
        end = uri.size();
    // The last '@' of the authority ends the user information; a password may itself hold an
    // unescaped '@'.
    const std::string::size_type at = uri.rfind('@', end == 0 ? 0 : end - 1);
    if (at == std::string::npos || at < authority)
        return uri;
    return uri.substr(0, authority) + uri.substr(at + 1);
}

} // namespace qrl
