#include "store/ContentHash.h"

#include <bit>
#include <cstring>

namespace vl::store {

namespace {

constexpr uint64_t kPrimeA = 0x9E3779B185EBCA87ULL;
constexpr uint64_t kPrimeB = 0xC2B2AE3D27D4EB4FULL;
constexpr uint64_t kPrimeC = 0x165667B19E3779F9ULL;

// Words are read in the machine's byte order; a file hashed on a machine of
// the other order merely fails to match and is rebuilt.
uint64_t Word(const char* at) {
    uint64_t w;
    std::memcpy(&w, at, sizeof w);
    return w;
}

uint64_t Round(uint64_t lane, uint64_t word) { return std::rotl(lane + word * kPrimeB, 31) * kPrimeA; }

// Spreads every input bit over the whole result.
uint64_t Avalanche(uint64_t h) {
    h ^= h >> 33;
    h *= kPrimeB;
    h ^= h >> 29;
    h *= kPrimeC;
    h ^= h >> 32;
    return h;
}

}  // namespace

uint64_t ContentHash(std::string_view bytes, uint64_t seed) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    uint64_t h = seed ^ (bytes.size() * kPrimeC);
    if (left >= 32) {
        uint64_t lanes[4] = {seed + kPrimeA + kPrimeB, seed + kPrimeB, seed, seed - kPrimeA};
        for (; left >= 32; p += 32, left -= 32) {
            lanes[0] = Round(lanes[0], Word(p));
            lanes[1] = Round(lanes[1], Word(p + 8));
            lanes[2] = Round(lanes[2], Word(p + 16));
            lanes[3] = Round(lanes[3], Word(p + 24));
        }
        for (uint64_t lane : lanes) h = Avalanche(h ^ Round(0, lane)) * kPrimeA + kPrimeC;
    }
    for (; left >= 8; p += 8, left -= 8) h = std::rotl(h ^ Round(0, Word(p)), 27) * kPrimeA + kPrimeC;
    if (left > 0) {
        uint64_t tail = 0;
        std::memcpy(&tail, p, left);
        h = std::rotl(h ^ Round(0, tail ^ (uint64_t{left} << 56)), 23) * kPrimeB + kPrimeA;
    }
    return Avalanche(h);
}

}  // namespace vl::store
