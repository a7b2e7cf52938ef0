"""An NTX index read with nothing but the file format: the header's key expression and sizes, and every key
with its record number in tree order (each page: a count, the item offsets, then items of a child page
offset, a record number and the key; the extra last item holds only the rightmost child)."""
import struct

PAGE = 1024


class NtxIndex:
    def __init__(self, path):
        with open(path, 'rb') as f:
            self.data = f.read()
        (self.signature, _version, self.root, _free, self.item_size, self.key_size, self.key_decimals,
         self.max_items, _half) = struct.unpack_from('<HHIIHHHHH', self.data, 0)
        self.key_expression = self.data[22:22 + 256].split(b'\0', 1)[0].decode('cp1252')
        self.unique = self.data[278] != 0

    def entries(self):
        """[(key, record number)] in key order."""
        out = []
        self._walk(self.root, out, 0)
        return out

    def _walk(self, page, out, depth):
        if page == 0:
            return
        if depth > 32 or page % PAGE or page + PAGE > len(self.data):
            raise ValueError('bad page offset %d' % page)
        count = struct.unpack_from('<H', self.data, page)[0]
        offsets = struct.unpack_from('<%dH' % (self.max_items + 1), self.data, page + 2)
        for i in range(count + 1):
            at = page + offsets[i]
            child, recno = struct.unpack_from('<II', self.data, at)
            self._walk(child, out, depth + 1)
            if i < count:
                key = self.data[at + 8:at + 8 + self.key_size].decode('cp1252')
                out.append((key, recno))
