#include "cover/RenderFile.h"

#include "base/ErrorCodes.h"
#include "base/FileBytes.h"
#include "cover/TaggedReader.h"
#include "cover/TaggedWriter.h"

namespace vl::cover {

namespace {

using base::ecOK;

// A page holds at most a few hundred objects of some 80 bytes each.
constexpr long kMaxFileSize = 16L * 1024 * 1024;

void WriteRecord(TaggedWriter& out, const RenderRecord& r) {
    out.ListBegin();
    out.Integer(static_cast<std::int32_t>(r.kind));
    for (std::int32_t value : {r.left, r.top, r.width, r.height}) out.Integer(value);
    out.String(r.text);
    out.String(r.fontName);
    out.Integer(r.fontSizeCode);
    for (bool value : {r.bold, r.italic, r.underline}) out.Boolean(value);
    for (std::int32_t value : {r.valueA, r.valueB, r.valueC, r.valueD, r.valueE, r.valueF}) out.Integer(value);
    out.ListEnd();
}

int ReadRecord(TaggedReader& in, RenderRecord& r) {
    std::int32_t kind = 0;
    int rc = in.ListBegin();
    if (rc == ecOK) rc = in.Integer(kind);
    r.kind = static_cast<RecordKind>(kind);
    for (std::int32_t* value : {&r.left, &r.top, &r.width, &r.height})
        if (rc == ecOK) rc = in.Integer(*value);
    if (rc == ecOK) rc = in.String(r.text);
    if (rc == ecOK) rc = in.String(r.fontName);
    if (rc == ecOK) rc = in.Integer(r.fontSizeCode);
    for (bool* value : {&r.bold, &r.italic, &r.underline})
        if (rc == ecOK) rc = in.Boolean(*value);
    for (std::int32_t* value : {&r.valueA, &r.valueB, &r.valueC, &r.valueD, &r.valueE, &r.valueF})
        if (rc == ecOK) rc = in.Integer(*value);
    if (rc == ecOK) rc = in.ListEnd();
    return rc;
}

}  // namespace

RenderFileContents ReadRenderFile(std::span<const std::uint8_t> bytes) {
    RenderFileContents contents;
    TaggedReader in(bytes);
    while (!in.AtEnd()) {
        RenderRecord record;
        contents.error = ReadRecord(in, record);
        if (contents.error != ecOK) break;
        contents.records.push_back(std::move(record));
    }
    return contents;
}

RenderFileContents LoadRenderFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (int rc = base::ReadFileBytes(path, bytes, kMaxFileSize, base::ecFaxBadFormat); rc != ecOK) {
        RenderFileContents contents;
        contents.error = rc;
        return contents;
    }
    return ReadRenderFile(bytes);
}

std::vector<std::uint8_t> WriteRenderFile(const std::vector<RenderRecord>& records) {
    TaggedWriter out;
    for (const RenderRecord& record : records) WriteRecord(out, record);
    return out.Bytes();
}

}  // namespace vl::cover
