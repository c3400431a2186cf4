// nolvzip-bench-data SIZE_MIB OUT: writes a deterministic file shaped like a
// database: 8 KiB pages of table rows and index entries, each with a header,
// a slot array and some free space, so it compresses like a real one rather
// than like text or noise.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr size_t kPage = 8192;

struct Random {
    uint64_t s = 0x243F6A8885A308D3ull;
    uint64_t Next()
    {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    }
    unsigned Below(unsigned n) { return static_cast<unsigned>(Next() % n); }
};

const char *kFirst[] = {"Anna", "Bruno", "Carla", "David", "Elena", "Farid", "Greta", "Hugo", "Ines", "Jonas",
                        "Karin", "Luis", "Marta", "Nils", "Olga", "Pavel", "Rosa", "Sven", "Tina", "Umar"};
const char *kLast[] = {"Alvarez", "Brandt", "Chen", "Dubois", "Eriksen", "Fischer", "Garcia", "Horvat", "Ivanova",
                       "Jensen", "Kowalski", "Larsen", "Moreau", "Novak", "Olsen", "Petrov", "Quinn", "Rossi"};
const char *kCity[] = {"Lyon", "Porto", "Graz", "Turku", "Leeds", "Gent", "Brno", "Cork", "Bergen", "Lodz"};
const char *kStatus[] = {"open", "paid", "shipped", "cancelled", "returned"};

void Put32(unsigned char *p, uint32_t v) { std::memcpy(p, &v, 4); }

void TablePage(Random &r, unsigned char *page, uint32_t pageNo, uint32_t &nextId, uint64_t &clock)
{
    Put32(page, pageNo);
    Put32(page + 4, 0x0D0D0000u | (pageNo & 0xFFFF));
    const size_t freeSpace = 400 + r.Below(2000);
    size_t top = kPage - freeSpace; // rows grow down from here, slots up from the header
    size_t slot = 16;
    char row[256];
    while (true) {
        // Rows arrive in time order, a few minutes apart, as in an order table.
        nextId += 1 + (r.Below(10) == 0 ? r.Below(50) : 0);
        clock += 30 + r.Below(600);
        const uint64_t day = clock / 86400, second = clock % 86400;
        const unsigned y = 2000 + static_cast<unsigned>(day / 365), doy = static_cast<unsigned>(day % 365);
        const char *first = kFirst[r.Below(20)];
        const char *last = kLast[r.Below(18)];
        const unsigned cents = r.Below(500000);
        int n = std::snprintf(row, sizeof row, "%c%u\x1f%s %s\x1f%s.%s%u@example.org\x1f%s\x1f%04u-%02u-%02u %02u:%02u:%02u\x1f%s\x1f%u.%02u\x1f" "C%05u",
                              'R', nextId, first, last, first, last, r.Below(100), kCity[r.Below(10)], y,
                              doy / 31 + 1, doy % 31 + 1, static_cast<unsigned>(second / 3600),
                              static_cast<unsigned>(second / 60 % 60), static_cast<unsigned>(second % 60),
                              kStatus[r.Below(5)], cents / 100, cents % 100, r.Below(5000));
        const size_t len = static_cast<size_t>(n) + 8;
        if (top < slot + 4 + len)
            break;
        top -= len;
        Put32(page + top, nextId);
        Put32(page + top + 4, cents);
        std::memcpy(page + top + 8, row, static_cast<size_t>(n));
        Put32(page + slot, static_cast<uint32_t>(top | (len << 16)));
        slot += 4;
    }
    Put32(page + 8, static_cast<uint32_t>(slot));
    Put32(page + 12, static_cast<uint32_t>(top));
}

void IndexPage(Random &r, unsigned char *page, uint32_t pageNo, uint32_t firstKey)
{
    Put32(page, pageNo);
    Put32(page + 4, 0x1D1D0000u);
    uint32_t key = firstKey;
    const size_t entries = 500 + r.Below(300);
    for (size_t i = 0; i < entries; ++i) {
        key += 1 + r.Below(3);
        Put32(page + 16 + i * 8, key);
        Put32(page + 20 + i * 8, r.Below(1u << 20)); // child page
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SIZE_MIB OUT\n", argv[0]);
        return 2;
    }
    const uint64_t pages = std::strtoull(argv[1], nullptr, 10) * (1u << 20) / kPage;
    FILE *out = std::fopen(argv[2], "wb");
    if (!out)
        return 1;
    Random r;
    std::vector<unsigned char> page(kPage);
    uint32_t nextId = 0;
    uint64_t clock = 0;
    for (uint64_t i = 0; i < pages; ++i) {
        std::fill(page.begin(), page.end(), 0);
        if (i % 10 == 9)
            IndexPage(r, page.data(), static_cast<uint32_t>(i), nextId - 4000);
        else
            TablePage(r, page.data(), static_cast<uint32_t>(i), nextId, clock);
        if (std::fwrite(page.data(), 1, kPage, out) != kPage)
            return 1;
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
