#include "common/UrlJoin.h"

std::string JoinDownloadAddress(std::string_view baseUrl, std::string_view url) {
    // A base such as "https://host/files/" ends in a slash and names a folder: a url without one
    // of its own is a file in it, not an extension of the folder's name ("files" + "Name").
    if (baseUrl.ends_with('/') && url.starts_with('/')) {
        baseUrl.remove_suffix(1);
    }
    std::string address(baseUrl);
    address += url;
    return address;
}
