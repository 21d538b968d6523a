#include "a3f_writer.h"

#include <cmath>
#include <cstdlib>

std::string formatNumber(float value) {
    long long scaled = std::llround(double(value) * 100000.0);
    if (scaled == 0) return "0";
    std::string text = scaled < 0 ? "-" : "";
    unsigned long long magnitude = (unsigned long long)std::llabs(scaled);
    text += std::to_string(magnitude / 100000);
    unsigned long long fraction = magnitude % 100000;
    if (fraction) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 5 - digits.size(), '0');
        while (digits.back() == '0') digits.pop_back();
        text += "." + digits;
    }
    return text;
}

namespace {

std::string colour(const char* key, Rgba c) {
    return std::string("    ") + key + " " + formatNumber(c.r) + " " + formatNumber(c.g) + " " +
           formatNumber(c.b) + " " + formatNumber(c.a) + "\n";
}

}  // namespace

std::string a3fText(const Mesh& mesh, const Material& m, const std::string& comment) {
    std::string out = "A3F\nVERSION { 1.0 }\nCOMMENT { " + comment + " }\n";
    out += "VERTICES {\n  POSITION_NORMAL_TEXCOORDS " + std::to_string(mesh.vertices.size()) + "\n";
    for (const auto& v : mesh.vertices) {
        out += "  " + formatNumber(v.position.x) + " " + formatNumber(v.position.y) + " " +
               formatNumber(v.position.z) + "  " + formatNumber(v.normal.x) + " " +
               formatNumber(v.normal.y) + " " + formatNumber(v.normal.z) + "  " +
               formatNumber(v.u) + " " + formatNumber(v.v) + "\n";
    }
    out += "}\nFACES {\n  " + std::to_string(mesh.faces.size()) + "\n";
    for (const auto& f : mesh.faces)
        out += "  " + std::to_string(f[0]) + " " + std::to_string(f[1]) + " " +
               std::to_string(f[2]) + " 0\n";
    out += "}\nMATERIALS {\n  1\n  {\n    NAME " + m.name + "\n";
    out += colour("AMBIENT", m.ambient) + colour("DIFFUSE", m.diffuse) +
           colour("SPECULAR", m.specular) + colour("EMISSION", m.emission);
    out += "    SHININESS " + std::to_string(m.shininess) + "\n";
    if (!m.textureFile.empty())
        out += "    TEXTURE {\n      FILE " + m.textureFile + "\n      ALPHA " + m.alphaRule +
               "\n    }\n";
    out += "  }\n}\n";
    return out;
}
