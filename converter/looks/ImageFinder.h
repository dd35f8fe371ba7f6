#pragma once
// The images that materials name, looked for where users keep them.

#include <map>
#include <utility>

#include "text/Text.h"

namespace meshfold {

// An image a material names: how a scene in the OBJ file's folder names it,
// and the keyword POV-Ray reads it with.
struct FoundImage {
  Text written;
  TextView kind;
  bool operator==(const FoundImage&) const = default;
};

// Finds images for the materials of one OBJ file, each distinct path once.
class ImageFinder {
 public:
  // objFolder: the OBJ file's folder, "" or ending in a separator.
  explicit ImageFinder(TextView objFolder) : objFolder_(objFolder) {}

  // The image that map names in an MTL file in mtlFolder (as the OBJ file
  // names that folder): relative to that folder, then to the OBJ file's, then
  // by its file name alone in either, each exact first and then differing
  // only in case. False, with why, when none is found, or the first found
  // is one POV-Ray cannot read.
  bool Find(TextView mtlFolder, TextView map, FoundImage& image, Text& why);

 private:
  struct Outcome {
    bool found = false;
    FoundImage image;
    Text why;
  };

  // Find, without the outcomes already known.
  Outcome Look(TextView mtlFolder, TextView map) const;
  // Judges the file written names, when it opens, into outcome; otherwise
  // false, and the first reason a file did not open into firstError.
  bool Judge(const Text& written, Outcome& outcome, Text* firstError) const;
  // The same of a file in written's folder whose name differs only in case.
  bool JudgeCaseVariant(const Text& written, Outcome& outcome) const;

  TextView objFolder_;
  std::map<std::pair<Text, Text>, Outcome> outcomes_;  // by MTL folder and map
};

}  // namespace meshfold
