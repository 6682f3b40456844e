// The folder lock: a second holder waits for the first and is told so; no file is made for it.
#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <stdexcept>
#include <thread>

#include "common/FolderLock.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

TEST(FolderLock, ASecondHolderIsToldAndWaitsForTheFirst) {
    test::TempDir dir;
    std::optional<FolderLock> first(std::in_place, dir.Dir());
    ASSERT_TRUE(first->Held());
    std::promise<std::string> told;
    std::future<std::string> waiting = told.get_future();
    std::atomic<bool> held{false};
    // flock holds between two openings of the folder also within one process.
    std::thread second([&] {
        const FolderLock lock(dir.Dir(), [&](const std::string& folder, const auto&) {
            told.set_value(folder);
            return false;
        });
        held = lock.Held();
    });
    EXPECT_EQ(waiting.get(), dir.Dir());
    EXPECT_FALSE(held.load()) << "still waiting while the first holds the lock";
    first.reset();
    second.join();
    EXPECT_TRUE(held.load());
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << "no lock file";

    int calls = 0;
    const FolderLock free(dir.Dir(), [&](const std::string&, const auto&) { return ++calls > 0; });
    EXPECT_TRUE(free.Held());
    EXPECT_EQ(calls, 0) << "a free folder is taken without a word";
}

// Readers of a folder share it with each other, never with a writer.
TEST(FolderLock, ReadersShareTheFolderButNotWithAWriter) {
    using Access = FolderLock::Access;
    test::TempDir dir;
    int calls = 0;
    const auto count = [&](const std::string&, const auto&) { return ++calls > 0; };
    {
        const FolderLock reader(dir.Dir(), {}, Access::Shared);
        const FolderLock another(dir.Dir(), count, Access::Shared);
        EXPECT_TRUE(reader.Held());
        EXPECT_TRUE(another.Held());
        EXPECT_EQ(calls, 0);
    }
    for (const auto& [held, asked] :
         {std::pair{Access::Exclusive, Access::Shared}, std::pair{Access::Shared, Access::Exclusive}}) {
        std::optional<FolderLock> first(std::in_place, dir.Dir(), FolderLock::Waiting{}, held);
        std::promise<void> told;
        std::thread second([&, asked = asked] {
            const FolderLock lock(
                dir.Dir(),
                [&](const std::string&, const auto&) {
                    told.set_value();
                    return false;
                },
                asked);
        });
        told.get_future().get();  // the second waits: told so before it blocks
        first.reset();
        second.join();
    }
}

// A waiter that must keep its thread free tries again itself, and may give up by raising.
TEST(FolderLock, AWaiterMayPollForTheLockOrGiveUp) {
    test::TempDir dir;
    std::optional<FolderLock> first(std::in_place, dir.Dir());
    int tries = 0;
    const auto poll = [&](const std::string&, const std::function<bool()>& tryAgain) {
        while (!tryAgain()) {
            if (++tries == 3) first.reset();  // the other run ends meanwhile
        }
        return true;
    };
    EXPECT_TRUE(FolderLock(dir.Dir(), poll).Held());
    EXPECT_EQ(tries, 3);

    const FolderLock held(dir.Dir());
    const auto giveUp = [](const std::string&, const std::function<bool()>& tryAgain) -> bool {
        if (tryAgain()) ADD_FAILURE() << "taken while another holds it";
        throw std::runtime_error("cancelled");
    };
    EXPECT_THROW(FolderLock(dir.Dir(), giveUp), std::runtime_error);
}

TEST(FolderLock, AFolderThatCannotBeOpenedIsNotLockedAndRaisesNothing) {
    test::TempDir dir;
    EXPECT_FALSE(FolderLock(dir.File("missing")).Held());
    test::WriteBytes(dir.File("file"), "x");
    EXPECT_FALSE(FolderLock(dir.File("file")).Held());
}

}  // namespace
}  // namespace talpo
