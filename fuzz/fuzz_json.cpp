// libFuzzer target: tinkeli-tool import's reading of JSON. What it accepts
// must save, read back, and export to the same JSON.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "elevjson.h"

#include <QByteArray>
#include <QJsonDocument>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string folder()
{
    const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    return (base / ("tinkeli-fuzz-json-" + std::to_string(getpid()))).string();
}

QJsonObject withoutLaesFejl(QJsonObject o)
{
    o.remove("LaesFejl");
    return o;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string dir = folder();
    static const struct Cleanup {
        ~Cleanup() { std::error_code ec; fs::remove_all(dir, ec); }
    } cleanup;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!doc.isObject())
        return 0;
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir, ec);
    QString error;
    if (ElevJson::IsKlasse(doc.object())) {
        auto k = ElevJson::ToKlasse(doc.object(), error);
        if (!k) {
            if (error.isEmpty())
                __builtin_trap();
            return 0;
        }
        const std::string path = dir + "/k.kla";
        if (!k->SaveToFile(path))
            return 0;
        auto back = tKlasse::LoadFromFile(path);
        if (back->LaesFejl() || back->ElevCount() != k->ElevCount() || !back->UlaeseligeFiler().empty())
            __builtin_trap();
        for (int i = 0; i < k->ElevCount(); ++i)
            if (withoutLaesFejl(ElevJson::FromElev(*k->GetElev(i)))
                != withoutLaesFejl(ElevJson::FromElev(*back->GetElev(i))))
                __builtin_trap();
        return 0;
    }
    auto e = ElevJson::ToElev(doc.object(), error);
    if (!e) {
        if (error.isEmpty())
            __builtin_trap();
        return 0;
    }
    const std::string path = dir + "/e.ele";
    if (!e->SaveToFile(path))
        return 0;
    auto back = tElev::LoadFromFile(path);
    if (back->LaesFejl() || ElevJson::FromElev(*e) != ElevJson::FromElev(*back))
        __builtin_trap();
    return 0;
}
