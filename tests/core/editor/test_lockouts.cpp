// The lockout review: what is avoided, and unlocking it.
#include <gtest/gtest.h>

#include "core/editor/lockouts.h"
#include "core/hpd/hpd_fixture.h"
#include "core/model/store_keys.h"

namespace tarvex::test {
namespace {

struct LockedStore : Db {
    LockedStore() {
        read_text({tabs("Conventional|CountyId=1|StateId=1|City|On||Conventional"),
                   tabs("C-Group|CGroupId=1|CountyId=1|Police|On|||"),
                   tabs("C-Freq|||Open|Off|155070000|FM||2"),
                   tabs("C-Freq|||Closed|On|155085000|FM||2"),
                   tabs("Trunk|TrunkId=9||Metro|Off||Motorola"),
                   tabs("Site|SiteId=1|TrunkId=9|North|On|1.0|-1.0|5.0|AUTO|Standard|Wide"),
                   tabs("T-Group|TGroupId=2|TrunkId=9|Ops|Off|1.0|-1.0|2.0"),
                   tabs("TGID|||Dispatch|On|1234|ALL|2"), tabs("TGID|||Tac|Off|1235|ALL|2")});
    }
};

std::string summary(const std::vector<Lockout>& list) {
    std::string out;
    for (const auto& l : list)
        out += std::string(lockout_kind_name(l.kind)) + ":" + (l.value.empty() ? l.name : l.value) +
               " ";
    return out;
}

TEST(Lockouts, EveryAvoidedThingInStoreOrder) {
    LockedStore db;
    EXPECT_EQ(summary(find_lockouts(db.store, db.files)),
              "System:City Group:Police Channel:155.0850 Site:North Talkgroup:1234 ");
}

TEST(Lockouts, UnlockingTheTickedOnesLeavesTheOthers) {
    LockedStore db;
    auto all = find_lockouts(db.store, db.files);
    std::vector<Lockout> ticked = {all[2], all[4]};  // the channel and the talkgroup
    UnlockResult r = unlock(db.store, db.files, ticked);
    EXPECT_EQ(r.unlocked, 2);
    EXPECT_FALSE(r.structure);
    EXPECT_EQ(r.systems.size(), 2u);
    EXPECT_EQ(summary(find_lockouts(db.store, db.files)), "System:City Group:Police Site:North ");
    // Unlocking again finds nothing left to do.
    EXPECT_EQ(unlock(db.store, db.files, ticked).unlocked, 0);
}

TEST(Lockouts, UnlockAllClearsRecordsAndRowsAlike) {
    LockedStore db;
    UnlockResult r = unlock(db.store, db.files, find_lockouts(db.store, db.files));
    EXPECT_EQ(r.unlocked, 5);
    EXPECT_TRUE(r.structure);
    EXPECT_TRUE(find_lockouts(db.store, db.files).empty());
    // Only the avoid field moved; the channel's other columns stayed.
    auto g = groups_in_store_order(db.store).front();
    auto rows = db.rows(g.system, g.group);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(get_field_plain(rows[1], 2), "Closed");
    EXPECT_EQ(get_field_plain(rows[1], 3), "Off");
}

}  // namespace
}  // namespace tarvex::test
