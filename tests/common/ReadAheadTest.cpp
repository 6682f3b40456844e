// Chunks read ahead on another thread, and the page-aligned buffers they are read into.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "common/InputFile.h"
#include "common/PageBuffer.h"
#include "common/ReadAhead.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

// The chunks in order, with the size of each.
std::pair<std::string, std::vector<std::size_t>> ReadAll(const std::string& path, std::size_t chunk,
                                                         std::size_t depth, std::size_t readers) {
    InputFile file(path);
    ReadAhead chunks(file, chunk, depth, readers);
    std::string all;
    std::vector<std::size_t> sizes;
    for (;;) {
        const std::string_view part = chunks.Next();
        all.append(part);
        sizes.push_back(part.size());
        if (part.size() < chunk) return {all, sizes};
    }
}

TEST(ReadAhead, GivesTheFileInWholeChunksThenTheRest) {
    test::TempDir dir;
    constexpr std::size_t kChunk = 4096 + 7;  // not a page: the chunks fall across pages of the file
    const std::string bytes = Pattern(11 * kChunk + 100);
    test::WriteBytes(dir.File("odd"), bytes);
    test::WriteBytes(dir.File("whole"), bytes.substr(0, 5 * kChunk));
    test::WriteBytes(dir.File("empty"), "");
    // Several readers finish their chunks in any order; the caller still gets them in the file's.
    for (const auto& [depth, readers] :
         {std::pair{3u, 0u}, {1u, 1u}, {2u, 1u}, {4u, 1u}, {2u, 2u}, {4u, 2u}, {5u, 3u}}) {
        const auto [odd, oddSizes] = ReadAll(dir.File("odd"), kChunk, depth, readers);
        EXPECT_EQ(odd, bytes);
        std::vector<std::size_t> expected(11, kChunk);
        expected.push_back(100);
        EXPECT_EQ(oddSizes, expected);
        const auto [whole, wholeSizes] = ReadAll(dir.File("whole"), kChunk, depth, readers);
        EXPECT_EQ(whole, bytes.substr(0, 5 * kChunk));
        EXPECT_EQ(wholeSizes.size(), 6u);
        EXPECT_EQ(wholeSizes.back(), 0u);
        EXPECT_EQ(ReadAll(dir.File("empty"), kChunk, depth, readers).second, std::vector<std::size_t>{0});
    }
}

TEST(ReadAhead, StopsWhenTheCallerLeavesEarly) {
    test::TempDir dir;
    test::WriteBytes(dir.File("big"), Pattern(64 * 4096));
    for (int taken = 0; taken < 6; ++taken) {
        InputFile file(dir.File("big"));
        // The readers fill the buffers and wait for one to come back, which never happens.
        ReadAhead chunks(file, 4096, 2, 1 + taken % 2);
        for (int i = 0; i < taken; ++i) EXPECT_EQ(chunks.Next().size(), 4096u);
    }
}

TEST(PageBuffer, StartsOnAPageAndKeepsWhatItIsGiven) {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    for (const std::size_t size : {std::size_t{1}, std::size_t{4095}, std::size_t{300000}}) {
        PageBuffer buffer(size);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffer.data()) % page, 0u);
        EXPECT_EQ(buffer.size(), size);
    }
    const std::string bytes = Pattern(5000);
    PageBuffer copy = PageBuffer::Copy(bytes);
    EXPECT_EQ(copy.View(), bytes);
    copy.Shrink(10);
    EXPECT_EQ(copy.View(), bytes.substr(0, 10));
    copy.Shrink(20);  // never grows back
    EXPECT_EQ(copy.size(), 10u);
    EXPECT_EQ(PageBuffer::Copy("").size(), 0u);
}

}  // namespace
}  // namespace talpo
