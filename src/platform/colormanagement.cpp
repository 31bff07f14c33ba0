#include "colormanagement.h"

#include "color/colorvalue.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <lcms2.h>
#include <memory>
#include <mutex>

namespace ColorManagement {
namespace {

struct TransformDeleter {
    void operator()(void *transform) const { cmsDeleteTransform(transform); }
};
using Transform = std::unique_ptr<void, TransformDeleter>;

struct ProfileDeleter {
    void operator()(void *profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<void, ProfileDeleter>;

// Transforms are created once and only read afterwards; without the one-pixel
// cache lcms keeps no per-call state in them, so threads may share them.
constexpr cmsUInt32Number sharedFlags = cmsFLAGS_NOCACHE;

Transform makeLabTransform()
{
    Profile srgb(cmsCreate_sRGBProfile());
    Profile lab(cmsCreateLab4Profile(cmsD50_xyY()));
    if (!srgb || !lab)
        return nullptr;
    return Transform(cmsCreateTransform(srgb.get(), TYPE_RGB_DBL, lab.get(), TYPE_Lab_DBL,
                                        INTENT_RELATIVE_COLORIMETRIC, sharedFlags));
}

Transform makeCmykTransform(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray bytes = file.readAll();
    Profile cmyk(cmsOpenProfileFromMem(bytes.constData(), cmsUInt32Number(bytes.size())));
    if (!cmyk || cmsGetColorSpace(cmyk.get()) != cmsSigCmykData)
        return nullptr;
    Profile srgb(cmsCreate_sRGBProfile());
    return Transform(cmsCreateTransform(srgb.get(), TYPE_RGB_DBL, cmyk.get(), TYPE_CMYK_DBL, INTENT_PERCEPTUAL,
                                        sharedFlags));
}

struct State {
    std::mutex mutex;
    std::once_flag labOnce;
    Transform lab;
    bool cmykResolved = false;
    QString cmykPath;
    // Shared so that a conversion in flight keeps its transform when the
    // profile is replaced meanwhile.
    std::shared_ptr<void> cmyk;
};

State &state()
{
    static State instance;
    return instance;
}

void resolveCmyk(State &s)
{
    if (s.cmykResolved)
        return;
    s.cmykResolved = true;
    for (const QString &candidate : cmykProfileCandidates()) {
        if (Transform transform = makeCmykTransform(candidate)) {
            s.cmyk = std::move(transform);
            s.cmykPath = candidate;
            return;
        }
    }
}

} // namespace

QStringList cmykProfileCandidates()
{
    QStringList candidates;
    const QString fromEnvironment = qEnvironmentVariable("TINTORA_CMYK_PROFILE");
    if (!fromEnvironment.isEmpty())
        candidates << fromEnvironment;
    // The standard ICC folders of the XDG data directories, Ghostscript's
    // sub-folder first since Debian's libgs-common installs the profile there.
    QStringList dataDirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString &fallback : {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")}) {
        if (!dataDirs.contains(fallback))
            dataDirs << fallback;
    }
    for (const QString &dir : std::as_const(dataDirs)) {
        candidates << QDir(dir).filePath(QStringLiteral("color/icc/ghostscript/default_cmyk.icc"))
                   << QDir(dir).filePath(QStringLiteral("color/icc/default_cmyk.icc"));
    }
    return candidates;
}

std::optional<std::array<double, 3>> toLab(const ColorValue &color)
{
    State &s = state();
    std::call_once(s.labOnce, [&s] { s.lab = makeLabTransform(); });
    if (!s.lab)
        return std::nullopt;
    const double rgb[3] = {color.red, color.green, color.blue};
    cmsCIELab lab{};
    cmsDoTransform(s.lab.get(), rgb, &lab, 1);
    return std::array<double, 3>{lab.L, lab.a, lab.b};
}

std::optional<std::array<double, 4>> toCmyk(const ColorValue &color)
{
    State &s = state();
    std::shared_ptr<void> transform;
    {
        std::lock_guard lock(s.mutex);
        resolveCmyk(s);
        transform = s.cmyk;
    }
    if (!transform)
        return std::nullopt;
    const double rgb[3] = {color.red, color.green, color.blue};
    double cmyk[4] = {};
    cmsDoTransform(transform.get(), rgb, cmyk, 1);
    // lcms writes ink coverage in percent for floating-point CMYK.
    return std::array<double, 4>{cmyk[0] / 100, cmyk[1] / 100, cmyk[2] / 100, cmyk[3] / 100};
}

bool setCmykProfilePath(const QString &path)
{
    State &s = state();
    std::lock_guard lock(s.mutex);
    s.cmyk.reset();
    s.cmykPath.clear();
    s.cmykResolved = false;
    if (path.isEmpty())
        return true;
    s.cmykResolved = true;
    s.cmyk = makeCmykTransform(path);
    if (s.cmyk)
        s.cmykPath = path;
    return bool(s.cmyk);
}

QString cmykProfilePath()
{
    State &s = state();
    std::lock_guard lock(s.mutex);
    resolveCmyk(s);
    return s.cmykPath;
}

} // namespace ColorManagement
