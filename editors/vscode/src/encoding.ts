// Whether a scenario text was opened in an encoding other than the one it is
// written in.  The texts are Windows-1252; an editor that reads one as UTF-8
// shows each accented letter as U+FFFD, and saving it then writes those
// replacement characters back as three bytes each.

const replacementCharacter = '\uFFFD';
const unicodeEncodings = new Set(['utf8', 'utf8bom', 'utf16le', 'utf16be']);

// The reason to offer reopening the text as Windows-1252, or undefined when it
// reads right.  `encoding` is the editor's name of the encoding the text was
// opened with, undefined where the editor does not tell.
export function encodingProblem(encoding: string | undefined, text: string): string | undefined {
  if (text.includes(replacementCharacter)) {
    return 'holds bytes that are not valid in the encoding it was opened with';
  }
  if (encoding !== undefined && unicodeEncodings.has(encoding)) {
    return `was opened as ${encoding === 'utf8' || encoding === 'utf8bom' ? 'UTF-8' : 'UTF-16'}`;
  }
  return undefined;
}
