// The script work of one update tick, in the engine and in Lua 5.4:
//  (a) Tick: the 21 SetLine calls with typical tag values, Run of the default script, and
//      the reading of Tray, Status and Status2 as the update cycle reads them;
//  (b) LuaTick: the 21 tag values set as globals and a precompiled chunk that does what
//      the default script does, then the same three results read;
//  (c) AddScript: loading the default script into a cleared engine.
// Each reports the heap allocations per iteration (counter "allocs").
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

#include "script/math_parser.h"
#include "script/test_report.h"

namespace {

std::atomic<long> gAllocations{0};

}  // namespace

void* operator new(size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
  std::free(block);
}

void operator delete(void* block, size_t) noexcept {
  std::free(block);
}

namespace {

// A normal album track, as the player side hands it over.
std::vector<Text> TypicalTags() {
  std::vector<Text> tags(kTagCount);
  tags[TagIndex("Artist")] = "Queen";
  tags[TagIndex("Title")] = "Bohemian Rhapsody";
  tags[TagIndex("Album")] = "A Night at the Opera";
  tags[TagIndex("Track")] = "11";
  tags[TagIndex("Year")] = "1975";
  tags[TagIndex("Genre")] = "Rock";
  tags[TagIndex("Copy")] = "Queen - Bohemian Rhapsody";
  tags[TagIndex("File")] = "11 Bohemian Rhapsody";
  tags[TagIndex("PlayState")] = "[PLAY]";
  tags[TagIndex("ListPos")] = "3";
  tags[TagIndex("Lenght")] = "05:55";
  tags[TagIndex("Bitrate")] = "320";
  tags[TagIndex("SysTime")] = "21:40";
  tags[TagIndex("Status2")] = "%Status2";
  tags[TagIndex("Status")] = "%Status";
  tags[TagIndex("Samplerate")] = "44";
  tags[TagIndex("Channels")] = "2";
  tags[TagIndex("Dir1")] = "A Night at the Opera";
  tags[TagIndex("Dir2")] = "Queen";
  tags[TagIndex("Path")] = "C:\\Music\\Queen\\A Night at the Opera\\11 Bohemian Rhapsody.mp3";
  return tags;
}

struct TTexts {
  Text Tray;
  Text Status;
  Text Status2;
};

void Tick(benchmark::State& state) {
  const std::vector<Text> tags = TypicalTags();
  TMathParser engine;
  for (int32_t row = 0; row < kTagCount; ++row) engine.AddLine(TagLine(row, ""));
  engine.AddScript(DefaultScript());
  TTexts texts;
  long before = gAllocations.load();
  for (auto _ : state) {
    for (int32_t row = 0; row < kTagCount; ++row) engine.SetLine(TagLine(row, tags[row]), row);
    engine.Run();
    texts.Tray = ExpandLineBreaks(VariableText(engine, "Tray"));
    texts.Status = ExpandLineBreaks(VariableText(engine, "Status"));
    texts.Status2 = ExpandLineBreaks(VariableText(engine, "Status2"));
    benchmark::DoNotOptimize(texts);
  }
  state.counters["allocs"] = double(gAllocations.load() - before) / double(state.iterations());
  state.SetLabel(texts.Status2);
}
BENCHMARK(Tick);

// The default script in Lua, written as a Lua user would write it.
const char kLuaScript[] = R"lua(
local BlackList = {}
for _, word in ipairs({"error", "no title", "no artist", "дорожка", "track", "трек", "empty",
    "неизвестный", "неизвестный исполнитель", "unknown artist", "unknown album",
    "аудио трек", "неизвестный диск", ""}) do
  BlackList[word] = true
end
local function clean(text)
  return string.lower((text:gsub("[%d%.,#№:;]", "")):match("^%s*(.-)%s*$"))
end
local function pick(tag, fallback)
  if BlackList[clean(tag)] then return fallback end
  return tag
end
local Dir1 = pick(TAGDir1, "")
local Dir2 = pick(TAGDir2, "")
local File = pick(TAGFile, "")
local Artist = pick(TAGArtist, Dir2)
local Album = pick(TAGAlbum, Dir1)
local Title = pick(TAGTitle, File)
local t = (Album .. Artist == "") and TAGCopy or TAGTitle
Status2 = (Artist == "" and "" or Artist .. " - ") .. (Album == "" and "" or Album .. " - ") .. t
Status2 = TAGCopy
Status2 = TAGListPos .. ". " .. Status2 .. " [" .. TAGLenght .. "]"
Tray = "File: " .. TAGPath .. (Artist == "" and "" or "\\nArtist: " .. Artist) ..
    (Album == "" and "" or "\\nAlbum: " .. Album) .. (Title == "" and "" or "\\nTitle: " .. Title)
Status = TAGStatus .. " winamp: "
Status = (Status:gsub("_", " "))
Status2 = (Status2:gsub("_", " "))
Tray = (Tray:gsub("_", " "))
)lua";

std::atomic<long> gLuaAllocations{0};

void* LuaAllocate(void*, void* block, size_t, size_t size) {
  if (size == 0) {
    std::free(block);
    return nullptr;
  }
  gLuaAllocations.fetch_add(1, std::memory_order_relaxed);
  return std::realloc(block, size);
}

Text LuaGlobal(lua_State* lua, const char* name) {
  lua_getglobal(lua, name);
  size_t length = 0;
  const char* text = lua_tolstring(lua, -1, &length);
  Text result = text ? Text(text, length) : Text();
  lua_pop(lua, 1);
  return result;
}

void LuaTick(benchmark::State& state) {
  const std::vector<Text> tags = TypicalTags();
  std::vector<Text> names;
  for (int32_t row = 0; row < kTagCount; ++row) {
    const Text line = TagLine(row, "");
    names.push_back(line.substr(0, line.find('=')));
  }
  lua_State* lua = lua_newstate(LuaAllocate, nullptr);
  luaL_openlibs(lua);
  if (luaL_loadbuffer(lua, kLuaScript, sizeof kLuaScript - 1, "default") != LUA_OK) {
    state.SkipWithError(lua_tostring(lua, -1));
    lua_close(lua);
    return;
  }
  const int chunk = luaL_ref(lua, LUA_REGISTRYINDEX);
  TTexts texts;
  long before = gAllocations.load() + gLuaAllocations.load();
  for (auto _ : state) {
    for (int32_t row = 0; row < kTagCount; ++row) {
      lua_pushlstring(lua, tags[row].data(), tags[row].size());
      lua_setglobal(lua, names[row].c_str());
    }
    lua_rawgeti(lua, LUA_REGISTRYINDEX, chunk);
    if (lua_pcall(lua, 0, 0, 0) != LUA_OK) {
      state.SkipWithError(lua_tostring(lua, -1));
      break;
    }
    texts.Tray = ExpandLineBreaks(LuaGlobal(lua, "Tray"));
    texts.Status = ExpandLineBreaks(LuaGlobal(lua, "Status"));
    texts.Status2 = ExpandLineBreaks(LuaGlobal(lua, "Status2"));
    benchmark::DoNotOptimize(texts);
  }
  long after = gAllocations.load() + gLuaAllocations.load();
  state.counters["allocs"] = double(after - before) / double(state.iterations());
  state.SetLabel(texts.Status2);
  lua_close(lua);
}
BENCHMARK(LuaTick);

void AddScript(benchmark::State& state) {
  const Text script = DefaultScript();
  TMathParser engine;
  long before = gAllocations.load();
  for (auto _ : state) {
    engine.Clear();
    engine.AddScript(script);
    benchmark::DoNotOptimize(engine.Statements.Items.data());
  }
  state.counters["allocs"] = double(gAllocations.load() - before) / double(state.iterations());
}
BENCHMARK(AddScript);

}  // namespace

BENCHMARK_MAIN();
