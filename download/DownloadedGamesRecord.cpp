#include "download/DownloadedGamesRecord.h"

#include <json/reader.h>
#include <json/writer.h>

#include <fstream>
#include <sstream>

#include "common/TextConvert.h"
#include "platform/FileReplace.h"

namespace DownEngine {
namespace {

std::u16string TextOf(const Json::Value& object, const char* name) {
    const Json::Value& member = object[name];
    return member.isString() ? AnsiToUtf16(member.asString()) : std::u16string();
}

int32_t IntOf(const Json::Value& object, const char* name) {
    const Json::Value& member = object[name];
    return member.isInt() ? member.asInt() : 0;
}

int32_t StatusAsWritten(int32_t status) {
    return status == Downloading || status == Paused ? Failed : status;
}

std::unique_ptr<DownloadRecord> RecordOf(const Json::Value& object) {
    auto record = std::make_unique<DownloadRecord>();
    record->name = TextOf(object, "name");
    record->url = TextOf(object, "url");
    record->size = IntOf(object, "size");
    record->sizeStr = TextOf(object, "sizeStr");
    record->img = TextOf(object, "img");
    record->loadTime = TextOf(object, "loadTime");
    record->status = StatusAsWritten(IntOf(object, "status"));
    record->type = IntOf(object, "type");
    record->extension = TextOf(object, "extension");
    return record;
}

Json::Value ObjectOf(const DownloadRecord& record) {
    Json::Value object(Json::objectValue);
    object["name"] = Utf16ToAnsi(record.name);
    object["url"] = Utf16ToAnsi(record.url);
    object["size"] = record.size;
    object["sizeStr"] = Utf16ToAnsi(record.sizeStr);
    object["img"] = Utf16ToAnsi(record.img);
    object["loadTime"] = Utf16ToAnsi(record.loadTime);
    object["status"] = StatusAsWritten(record.status);
    object["type"] = record.type;
    object["extension"] = Utf16ToAnsi(record.extension);
    return object;
}

}  // namespace

std::vector<std::unique_ptr<DownloadRecord>> ParseDownloadedGames(std::string_view text) {
    Json::CharReaderBuilder builder;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    std::vector<std::unique_ptr<DownloadRecord>> records;
    if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors) ||
        !root.isObject() || !root["array"].isArray()) {
        return records;
    }
    for (const Json::Value& element : root["array"]) {
        if (element.isObject()) {
            records.push_back(RecordOf(element));
        }
    }
    return records;
}

std::string FormatDownloadedGames(const std::vector<const DownloadRecord*>& records) {
    Json::Value array(Json::arrayValue);
    for (const DownloadRecord* record : records) {
        array.append(ObjectOf(*record));
    }
    Json::Value root(Json::objectValue);
    root["array"] = std::move(array);
    Json::StreamWriterBuilder writer;
    writer["emitUTF8"] = true;
    return Json::writeString(writer, root);
}

std::vector<std::unique_ptr<DownloadRecord>> LoadDownloadedGames(std::u16string_view path) {
    std::ifstream in(Utf16ToAnsi(path), std::ios::binary);
    if (!in) {
        return {};
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseDownloadedGames(text.str());
}

bool SaveDownloadedGames(std::u16string_view path,
                         const std::vector<const DownloadRecord*>& records) {
    return !path.empty() && platform::ReplaceFileContent(path, FormatDownloadedGames(records));
}

}  // namespace DownEngine
