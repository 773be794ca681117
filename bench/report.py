#!/usr/bin/env python3
"""Turns ravelock_bench's JSON output into the Markdown table of BENCHMARKS.md."""
import json
import sys


def medians(path):
    data = json.load(open(path))
    out = {}
    for b in data['benchmarks']:
        if b.get('aggregate_name', 'median') != 'median' or b.get('error_occurred'):
            continue
        name = b.get('run_name', b['name'])
        out[name] = b['real_time']
    return data.get('context', {}), out


def repaint(paths):
    print('| scale | plain | 500 regions |')
    print('| ---: | ---: | ---: |')
    for path, scale in zip(paths, ('1', '1.5', '2')):
        _, times = medians(path)
        print(f"| {scale} | {times['BM_Repaint/plain']:.1f} | {times['BM_Repaint/regions500']:.1f} |")


def windows(linux_path, wine_path):
    _, linux = medians(linux_path)
    _, wine = medians(wine_path)
    print('| benchmark | Linux | Windows under Wine | Wine / Linux |')
    print('| --- | ---: | ---: | ---: |')
    ok = True
    for name in sorted(linux):
        if name in wine:
            ratio = wine[name] / linux[name]
            ok &= ratio <= 1.5
            print(f'| {name} | {linux[name]:.1f} | {wine[name]:.1f} | {ratio:.2f} |')
    print('\nWithin 1.5 x everywhere.' if ok else '\nSome benchmark is NOT within 1.5 x.')


def main():
    if sys.argv[1] == '--repaint':
        repaint(sys.argv[2:])
        return
    if sys.argv[1] == '--windows':
        windows(sys.argv[2], sys.argv[3])
        return
    context, times = medians(sys.argv[1])
    variants = sorted({n.split('/', 1)[1] for n in times if n.startswith('BM_Ravelock/')},
                      key=lambda v: (int(v.split('_')[1][1:]), v))
    print(f"Machine: {context.get('num_cpus', '?')} CPUs at {context.get('mhz_per_cpu', '?')} MHz; "
          f"medians in ms, file in the page cache.\n")
    print('| variant | Ravelock | stb_image | Qt plugin | floor | Ravelock / stb | Ravelock / floor |')
    print('| --- | ---: | ---: | ---: | ---: | ---: | ---: |')
    ok = True
    for v in variants:
        r = times[f'BM_Ravelock/{v}']
        s = times.get(f'BM_Stb/{v}')
        q = times.get(f'BM_QtReader/{v}')
        f = times[f'BM_Floor/{v}']
        qt = f'{q:.1f}' if q else 'refuses'
        rs = r / s if s else float('nan')
        rf = r / f
        ok &= rs <= 0.5 and rf <= 3
        print(f'| {v} | {r:.1f} | {s:.1f} | {qt} | {f:.1f} | {rs:.2f} | {rf:.2f} |')
    w = times.get('BM_WindowOpen/t10_d32_bl')
    fresh = times.get('BM_FreshDecode/t10_d32_bl')
    alone = times.get('BM_Ravelock/t10_d32_bl')
    if w and fresh and alone:
        print(f'\nWhole Open in the window (t10_d32_bl): {w:.1f} ms; decoding alone into a fresh surface '
              f'{fresh:.1f} ms (ratio {w / fresh:.2f}); into a surface already allocated {alone:.1f} ms '
              f'(ratio {w / alone:.2f}).')
    aids = times.get('BM_WindowOpenWithAids/t10_d32_bl')
    if w and aids:
        print(f'\nThe same Open with Show Regions and the magnifier on: {aids:.1f} ms (ratio {aids / w:.2f}).')
    if len(sys.argv) > 2:
        _, xcb = medians(sys.argv[2])
        w, fresh = xcb.get('BM_WindowOpen/t10_d32_bl'), xcb.get('BM_FreshDecode/t10_d32_bl')
        if w and fresh:
            print(f'\nWhole Open on a real X server (Xvfb, xcb): {w:.1f} ms; decoding alone into a fresh surface '
                  f'in the same run {fresh:.1f} ms (ratio {w / fresh:.2f}).')
    print('\nEvery decoder target met.' if ok else '\nSome decoder target is NOT met.')


if __name__ == '__main__':
    main()
