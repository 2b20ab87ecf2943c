#include "address_cipher.h"

#include <cstddef>

namespace varnok {

namespace {

// Built-in addresses in the stored form, enciphered while compiling: the base
// address of the club's server (a build option), then the script's name.
#ifndef VARNOK_SERVICE_BASE
#define VARNOK_SERVICE_BASE "http://127.0.0.1:8466/"
#endif
constexpr auto kResultsStored = StoredAddress(VARNOK_SERVICE_BASE "results.php");
constexpr auto kStatsStored = StoredAddress(VARNOK_SERVICE_BASE "stats.php");
constexpr auto kAccountStored = StoredAddress(VARNOK_SERVICE_BASE "account.php");
constexpr auto kTourStored = StoredAddress(VARNOK_SERVICE_BASE "tour.php");
constexpr auto kPhotoFolderStored = StoredAddress(VARNOK_SERVICE_BASE "photos/");
constexpr auto kPhotoUploadStored = StoredAddress(VARNOK_SERVICE_BASE "photo_upload.php");
constexpr auto kNewsStored = StoredAddress(VARNOK_SERVICE_BASE "news.html");
constexpr auto kDirectoryStored = StoredAddress(VARNOK_SERVICE_BASE "directory.txt");
constexpr auto kIpEchoStored = StoredAddress(VARNOK_SERVICE_BASE "get_ip.php");
constexpr auto kDownloadStored = StoredAddress(VARNOK_SERVICE_BASE "download/");
constexpr auto kMusicStored = StoredAddress(VARNOK_SERVICE_BASE "music/");

template <std::size_t N>
std::string Text(const std::array<char, N>& stored) {
  return std::string(stored.data(), N - 1);
}

}  // namespace

std::string EncipherAddress(std::string_view address) {
  std::string out(address);
  cipher::Encipher(out.data(), out.size());
  return out;
}

std::string DecipherAddress(std::string_view stored) {
  std::string out(stored);
  cipher::Decipher(out.data(), out.size());
  return out;
}

std::string BuiltInResultsService() { return Text(kResultsStored); }
std::string BuiltInStatsService() { return Text(kStatsStored); }
std::string BuiltInAccountService() { return Text(kAccountStored); }
std::string BuiltInTourService() { return Text(kTourStored); }
std::string BuiltInPhotoFolder() { return Text(kPhotoFolderStored); }
std::string BuiltInPhotoUpload() { return Text(kPhotoUploadStored); }
std::string BuiltInNewsDocument() { return Text(kNewsStored); }
std::string BuiltInDirectoryDocument() { return Text(kDirectoryStored); }
std::string BuiltInIpEcho() { return Text(kIpEchoStored); }
std::string BuiltInDownloadFolder() { return Text(kDownloadStored); }
std::string BuiltInMusicFolder() { return Text(kMusicStored); }

}  // namespace varnok
