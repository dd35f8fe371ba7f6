#include "converter/writers/IdentifierName.h"

#include <algorithm>
#include <array>

#include "text/StringOperations.h"

namespace meshfold {

namespace {

// The words POV-Ray 3.7 refuses to declare, in code-unit order: what
// scripts/povray-reserved-words.sh found in the installed povray.
// clang-format off
constexpr std::array<TextView, 498> ReservedWords = {
    u"aa_level", u"aa_threshold", u"abs", u"absorption", u"accuracy", u"acos", u"acosh", u"adaptive",
    u"adc_bailout", u"agate", u"agate_turb", u"albedo", u"all", u"all_intersections", u"alpha", u"altitude",
    u"always_sample", u"ambient", u"ambient_light", u"angle", u"anisotropy", u"aoi", u"aperture", u"append",
    u"arc_angle", u"area_illumination", u"area_light", u"array", u"asc", u"ascii", u"asin", u"asinh",
    u"assumed_gamma", u"atan", u"atan2", u"atanh", u"autostop", u"average", u"b_spline", u"background",
    u"bezier_spline", u"bicubic_patch", u"bitwise_and", u"bitwise_or", u"bitwise_xor", u"black_hole", u"blob",
    u"blue", u"blur_samples", u"bmp", u"bokeh", u"bounded_by", u"box", u"boxed", u"bozo", u"break", u"brick",
    u"brick_size", u"brightness", u"brilliance", u"bump_map", u"bump_size", u"bumps", u"camera", u"case",
    u"caustics", u"ceil", u"cells", u"charset", u"checker", u"chr", u"circular", u"clipped_by", u"clock",
    u"clock_on", u"collect", u"color", u"color_map", u"colour", u"colour_map", u"component", u"composite",
    u"concat", u"cone", u"confidence", u"conic_sweep", u"conserve_energy", u"contained_by", u"control0",
    u"control1", u"coords", u"cos", u"cosh", u"count", u"crackle", u"crand", u"cube", u"cubic",
    u"cubic_spline", u"cubic_wave", u"cutaway_textures", u"cylinder", u"cylindrical", u"datetime", u"debug",
    u"declare", u"default", u"defined", u"degrees", u"density", u"density_file", u"density_map", u"dents",
    u"deprecated", u"df3", u"difference", u"diffuse", u"dimension_size", u"dimensions", u"direction", u"disc",
    u"dispersion", u"dispersion_samples", u"dist_exp", u"distance", u"div", u"double_illuminate", u"dtag",
    u"eccentricity", u"else", u"elseif", u"emission", u"end", u"error", u"error_bound", u"evaluate", u"exp",
    u"expand_thresholds", u"exponent", u"exr", u"exterior", u"extinction", u"face_indices", u"facets",
    u"fade_color", u"fade_colour", u"fade_distance", u"fade_power", u"falloff", u"falloff_angle", u"false",
    u"fclose", u"file_exists", u"filter", u"finish", u"fisheye", u"flatness", u"flip", u"floor",
    u"focal_point", u"fog", u"fog_alt", u"fog_offset", u"fog_type", u"fopen", u"for", u"form", u"frequency",
    u"fresnel", u"function", u"gamma", u"gather", u"gif", u"global_lights", u"global_settings", u"gradient",
    u"granite", u"gray", u"gray_threshold", u"green", u"hdr", u"height_field", u"hexagon", u"hf_gray_16",
    u"hierarchy", u"hollow", u"hypercomplex", u"if", u"ifdef", u"iff", u"ifndef", u"image_map",
    u"image_pattern", u"importance", u"include", u"inside", u"inside_vector", u"int", u"interior",
    u"interior_texture", u"internal", u"interpolate", u"intersection", u"intervals", u"inverse", u"ior",
    u"irid", u"irid_wavelength", u"isosurface", u"jitter", u"jpeg", u"julia", u"julia_fractal", u"lambda",
    u"lathe", u"leopard", u"light_group", u"light_source", u"linear_spline", u"linear_sweep", u"ln",
    u"load_file", u"local", u"location", u"log", u"look_at", u"looks_like", u"low_error_factor", u"macro",
    u"magnet", u"major_radius", u"mandel", u"map_type", u"marble", u"material", u"material_map", u"matrix",
    u"max", u"max_extent", u"max_gradient", u"max_intersections", u"max_iteration", u"max_sample",
    u"max_trace", u"max_trace_level", u"maximum_reuse", u"media", u"media_attenuation", u"media_interaction",
    u"merge", u"mesh", u"mesh2", u"mesh_camera", u"metallic", u"method", u"metric", u"min", u"min_extent",
    u"minimum_reuse", u"mm_per_unit", u"mod", u"mortar", u"natural_spline", u"nearest_count", u"no",
    u"no_bump_scale", u"no_image", u"no_radiosity", u"no_reflection", u"no_shadow", u"noise_generator",
    u"normal", u"normal_indices", u"normal_map", u"normal_vectors", u"now", u"number_of_sides",
    u"number_of_tiles", u"number_of_waves", u"object", u"octaves", u"off", u"offset", u"omega", u"omnimax",
    u"on", u"once", u"onion", u"open", u"orient", u"orientation", u"orthographic", u"ovus", u"panoramic",
    u"parallel", u"parametric", u"pass_through", u"pattern", u"pavement", u"perspective", u"pgm", u"phase",
    u"phong", u"phong_size", u"photons", u"pi", u"pigment", u"pigment_map", u"pigment_pattern", u"planar",
    u"plane", u"png", u"point_at", u"poly", u"poly_wave", u"polygon", u"polynomial", u"pot", u"pow", u"ppm",
    u"precision", u"precompute", u"premultiplied", u"pretrace_end", u"pretrace_start", u"prism", u"prod",
    u"projected_through", u"pwr", u"quadratic_spline", u"quadric", u"quartic", u"quaternion", u"quick_color",
    u"quick_colour", u"quilted", u"radial", u"radians", u"radiosity", u"radius", u"rainbow", u"ramp_wave",
    u"rand", u"range", u"ratio", u"read", u"reciprocal", u"recursion_limit", u"red", u"reflection",
    u"reflection_exponent", u"refraction", u"render", u"repeat", u"rgb", u"rgbf", u"rgbft", u"rgbt", u"right",
    u"ripples", u"rotate", u"roughness", u"samples", u"save_file", u"scale", u"scallop_wave", u"scattering",
    u"seed", u"select", u"shadowless", u"sin", u"sine_wave", u"sinh", u"sint16be", u"sint16le", u"sint32be",
    u"sint32le", u"sint8", u"size", u"sky", u"sky_sphere", u"slice", u"slope", u"slope_map", u"smooth",
    u"smooth_triangle", u"solid", u"sor", u"spacing", u"specular", u"sphere", u"sphere_sweep", u"spherical",
    u"spiral1", u"spiral2", u"spline", u"split_union", u"spotlight", u"spotted", u"sqr", u"sqrt", u"square",
    u"srgb", u"srgbf", u"srgbft", u"srgbt", u"statistics", u"steps", u"str", u"strcmp", u"strength",
    u"strlen", u"strlwr", u"strupr", u"sturm", u"substr", u"subsurface", u"sum", u"superellipsoid", u"switch",
    u"sys", u"t", u"tan", u"tanh", u"target", u"text", u"texture", u"texture_list", u"texture_map", u"tga",
    u"thickness", u"threshold", u"tiff", u"tightness", u"tile2", u"tiles", u"tiling", u"tolerance",
    u"toroidal", u"torus", u"trace", u"transform", u"translate", u"translucency", u"transmit", u"triangle",
    u"triangle_wave", u"triangular", u"true", u"ttf", u"turb_depth", u"turbulence", u"type", u"u", u"u_steps",
    u"uint16be", u"uint16le", u"uint8", u"ultra_wide_angle", u"undef", u"union", u"up", u"use_alpha",
    u"use_color", u"use_colour", u"use_index", u"utf8", u"uv_indices", u"uv_mapping", u"uv_vectors", u"v",
    u"v_steps", u"val", u"variance", u"vaxis_rotate", u"vcross", u"vdot", u"version", u"vertex_vectors",
    u"vlength", u"vnormalize", u"vrotate", u"vstr", u"vturbulence", u"warning", u"warp", u"water_level",
    u"waves", u"while", u"width", u"wood", u"wrinkles", u"write", u"x", u"xyz", u"y", u"yes", u"z"};
// clang-format on

bool IsIdentifierUnit(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') || (unit >= u'0' && unit <= u'9') ||
         unit == u'_';
}

// POV-Ray refuses a longer name as a string too long.
constexpr size_t LongestName = 255;

}  // namespace

bool IsReservedWord(TextView word) {
  return std::binary_search(ReservedWords.begin(), ReservedWords.end(), word);
}

Text DeclaredName(TextView baseName) {
  Text name(baseName);
  for (char16_t& unit : name) {
    if (!IsIdentifierUnit(unit)) unit = u'_';
  }
  if (name.empty() || IsDecimalDigit(name.front())) name.insert(name.begin(), u'_');
  if (IsReservedWord(name)) name.push_back(u'_');
  if (name.size() > LongestName) name.resize(LongestName);
  return name;
}

}  // namespace meshfold
