// Saving and loading a large progress file (40 heroes in full gear, full
// bags and stash), whole and step by step. The whole save includes the
// fsync, whose cost belongs to the disk rather than to the game; "cpu" is
// the processor time of this process, kernel work included. Last, a
// hostile progress file: 20,000 heroes and a million party ids, which the
// loader must take in linear time.
//
//   bench_storage [rounds]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <time.h>
#include <vector>

#include "platform/save_crypt.h"
#include "platform/storage.h"
#include "platform/storage_detail.h"
#include "tools/samples/sample_progress.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
    double median = 0;
    double mean = 0;
    double worst = 0;
    double cpu = 0;  // mean processor time of this process; the rest is waiting
};

double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

Figures timeMs(int rounds, const std::function<void()>& step) {
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(rounds));
    for (int i = 0; i < 3; ++i) step();  // warm caches and the allocator first
    const double cpu0 = cpuMs();
    for (int i = 0; i < rounds; ++i) {
        const auto t0 = Clock::now();
        step();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    Figures f;
    f.cpu = (cpuMs() - cpu0) / rounds;
    std::sort(ms.begin(), ms.end());
    f.median = ms[ms.size() / 2];
    for (double x : ms) f.mean += x;
    f.mean /= static_cast<double>(ms.size());
    f.worst = ms.back();
    return f;
}

void print(const char* what, const Figures& f) {
    std::printf("  %-32s median %7.3f ms  mean %7.3f ms  worst %7.3f ms  cpu %7.3f ms\n", what, f.median, f.mean,
                f.worst, f.cpu);
}

// A roster of `heroes` bare heroes and `partyIds` ids naming them over and
// over, as a planted file might.
js::Value hostileProgress(int heroes, int partyIds) {
    js::Value o = store::detail::object();
    js::Value roster = store::detail::array();
    for (int i = 0; i < heroes; ++i) {
        js::Value h = store::detail::object();
        h.obj["id"] = store::detail::text("h" + std::to_string(i));
        h.obj["classId"] = store::detail::text("warrior");
        h.obj["name"] = store::detail::text("N");
        roster.arr.push_back(std::move(h));
    }
    js::Value party = store::detail::array();
    for (int i = 0; i < partyIds; ++i) party.arr.push_back(store::detail::text("h" + std::to_string(i % heroes)));
    o.obj["roster"] = std::move(roster);
    o.obj["partyIds"] = std::move(party);
    return o;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    std::string dir = (std::filesystem::temp_directory_path() / "vel-bench-XXXXXX").string();
    if (!mkdtemp(dir.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    store::reloadForTests(dir);
    const store::Meta big = sample::largeProgress();
    store::meta() = big;
    if (!store::saveMeta()) return 1;

    const js::Value value = store::detail::metaToJson(big);
    const std::string text = value.dump();
    const std::string sealed = platform::saveEncrypt(text);
    std::size_t items = big.stash.size();
    for (const rpg::Hero& h : big.roster) items += h.bag.size() + rpg::kEquipSlotCount;
    std::printf("progress file: %zu heroes, %zu items, %zu bytes sealed; %d rounds\n", big.roster.size(), items,
                sealed.size(), rounds);

    std::printf("save\n");
    print("whole (store::saveMeta)", timeMs(rounds, [] { store::saveMeta(); }));
    print("record to JSON value", timeMs(rounds, [&big] { (void)store::detail::metaToJson(big); }));
    print("JSON value to text", timeMs(rounds, [&value] { (void)value.dump(); }));
    print("seal", timeMs(rounds, [&text] { (void)platform::saveEncrypt(text); }));
    print("write, sync and rename", timeMs(rounds, [&dir, &value] {
              store::detail::writeSealed(dir + "/other.dat", value);
          }));

    std::printf("load\n");
    print("whole (store::reloadForTests)", timeMs(rounds, [&dir] { store::reloadForTests(dir); }));
    print("read and unseal", timeMs(rounds, [&dir] { (void)store::detail::readSealed(dir + "/saves.dat"); }));
    print("unseal", timeMs(rounds, [&sealed] {
              std::string plain;
              platform::saveDecrypt(sealed, &plain);
          }));
    print("parse", timeMs(rounds, [&text] { (void)js::parse(text); }));
    print("JSON value to record", timeMs(rounds, [&value] {
              store::Meta m;
              store::detail::metaFromJson(value, &m);
          }));

    const bool same = store::meta() == big;

    std::printf("hostile progress: 20000 heroes, 1000000 party ids\n");
    const js::Value hostile = hostileProgress(20000, 1000000);
    std::size_t party = 0;
    print("JSON value to record", timeMs(3, [&hostile, &party] {
              store::Meta m;
              store::detail::metaFromJson(hostile, &m);
              party = m.partyIds.size();
          }));
    std::printf("  party after loading: %zu heroes\n", party);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    std::printf("round trip %s\n", same ? "equal" : "DIFFERENT");
    return same ? 0 : 1;
}
