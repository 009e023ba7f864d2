"""Reads a Standard MIDI File with mido, a reader independent of Padlark, and
prints what it holds: the header, then each message of each track at its
absolute tick, one a line. mido refuses a file whose chunks, lengths, delta
times or data bytes are malformed, and this script then fails."""
import sys

import mido


def main(path):
    song = mido.MidiFile(path)
    print(f"type {song.type} tracks {len(song.tracks)} ticks {song.ticks_per_beat}")
    for track in song.tracks:
        tick = 0
        for message in track:
            tick += message.time
            if message.type == "set_tempo":
                print(f"{tick} tempo {message.tempo}")
            elif message.type == "end_of_track":
                print(f"{tick} end")
            elif message.is_meta:
                print(f"{tick} meta {message.type}")
            elif message.type in ("note_on", "note_off"):
                print(f"{tick} {message.type} {message.channel} {message.note} {message.velocity}")
            else:
                print(f"{tick} {message.type}")


if __name__ == "__main__":
    main(sys.argv[1])
